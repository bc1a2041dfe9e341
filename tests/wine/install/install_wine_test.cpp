// An install of the example package under Wine: the real spooler, the real
// 64-bit host and inst2k64.dll, the run on its worker and a real window that
// gets the worker's requests through the window layer's task queue and
// takes the host's messages.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "config/install_infos.h"
#include "config/lang_options.h"
#include "install/pl_error_code.h"
#include "install/run/headless_window.h"
#include "install/run/install_session.h"
#include "sys/win32/win32_platform.h"
#include "sys/win32/win32_text.h"
#include "text/winpath.h"
#include "ui/win32/ui_task_queue.h"
#include "wine/wine_test_support.h"

namespace prn::install {
namespace {

using testing::AnsweringDialogs;
using testing::BinFolder;
using testing::SourcePath;
using testing::Wow64SystemInfo;

// Every question is answered with its first button, Yes.
int AnswerYes(uint32_t flags) {
  const uint32_t buttons = flags & 0x0F;
  return buttons == sys::mb::YesNo || buttons == sys::mb::YesNoCancel ? sys::mb::IdYes : sys::mb::IdOk;
}

InstallSession* g_session = nullptr;
ui::UiTaskQueue* g_tasks = nullptr;
std::vector<UINT> g_hostMessages;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ui::kRunQueuedTasks && g_tasks) {
    g_tasks->RunQueued();
    return 0;
  }
  if ((message == 0x401 || message == 0x402) && g_session) {
    g_hostMessages.push_back(message);
    g_session->OnHostMessage(message, static_cast<uint32_t>(lParam));
    return 0;
  }
  if (message == WM_TIMER && g_session) {
    g_session->OnWatchdogTimer();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateTestWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = TestWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"PrnInstallWineTest";
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, L"PrnInstallWineTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         windowClass.hInstance, nullptr);
}

TEST(InstallOnWine, TheWindowsPlatformReachesEveryService) {
  win32::Win32Platform machine;
  const sys::Platform platform = machine.Platform();
  const void* services[] = {platform.files,     platform.codePage,   platform.lastError, platform.system,
                            platform.resources, platform.dialogs,    platform.spooler,   platform.usb,
                            platform.deviceLibraries, platform.registry, platform.processes, platform.shell,
                            platform.privileges};
  for (const void* service : services) EXPECT_NE(service, nullptr);
}

// Wine's new-device installer reports success for a device that is not
// there, and its printer UI creates no queue: the run ends once, in the
// box for a printer that the printer UI could not add.
TEST(InstallOnWine, TheExamplePackageEndsInOneCompletionWithTheBoxForWinesAnswer) {
  win32::Win32Platform machine;
  Wow64SystemInfo wow64System;
  AnsweringDialogs dialogs{AnswerYes};
  sys::Platform platform = machine.Platform();
  platform.system = &wow64System;
  platform.dialogs = &dialogs;

  config::TInstallInfos settings;
  config::SettingsEnvironment env{&machine.files, &machine.codePage, SourcePath("examples/package") + u"\\", 0x0409,
                                  61};
  settings.LoadFromFile(SourcePath("examples/package/Setup.Ini"), env);
  config::TStrInstaller texts;
  config::TLangOptions lang(texts);
  lang.LoadFromFile(SourcePath("resources/lang/Strings_EN.ini"), settings, machine.files, machine.codePage);

  const HWND window = CreateTestWindow();
  ASSERT_NE(window, nullptr);
  InstallContext context;
  context.m_iSelect = 0;
  context.m_strInst2kDll = JoinPath(BinFolder(), u"inst2k64.dll");
  context.m_strInst2k64Dll = context.m_strInst2kDll;
  context.m_strPrnSetup64Exe = JoinPath(BinFolder(), u"PrnSetup64.exe");
  context.m_iWinVer = 61;
  context.m_bWow64 = true;
  context.m_hWnd = reinterpret_cast<sys::WindowHandle>(window);
  StringList before, after;
  HeadlessWindow shown(context.m_hWnd);
  InstallServices services{platform, &settings, &texts, &context, &before, &after, &shown, nullptr,
                           InstallPolicy::Classic()};
  ui::UiTaskQueue tasks;
  tasks.Attach(window);
  g_tasks = &tasks;
  InstallSession session(services, [&tasks](std::function<void()> task) { tasks.Post(std::move(task)); });
  g_session = &session;
  SetTimer(window, 1, 5000, nullptr);

  ASSERT_TRUE(session.Start(true));
  // The UI thread's own loop: it only ever waits for messages.
  while (session.Running()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  session.WaitForEnd();
  tasks.RunQueued();
  KillTimer(window, 1);
  tasks.Detach();
  g_tasks = nullptr;
  g_session = nullptr;
  DestroyWindow(window);

  EXPECT_EQ(session.Run().ErrorText(), u"");
  EXPECT_EQ(session.Run().Completions(), 1);
  EXPECT_EQ(session.Run().FinalCode(), UIAddPrinterFailed);
  const auto boxes = dialogs.Recorded();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.front().text, texts.BeforeInstallPrompt);
  EXPECT_EQ(boxes.back().text, texts.InstallFailReasonUnknow + u"\r\n" + texts.InstallRetry);
  EXPECT_EQ(boxes.back().flags, sys::mb::IconWarning);
  EXPECT_TRUE(g_hostMessages.empty());  // the host ran in find mode only
  EXPECT_TRUE(shown.controlsEnabled);
  EXPECT_EQ(context.m_InstallingProgress, TInstallProgress::IPInstalled);
}

}  // namespace
}  // namespace prn::install
