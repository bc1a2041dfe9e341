// The window layer under Wine: no exception leaves a window procedure, and
// tasks from another thread run on the UI thread, also inside a modal loop
// (a message box), and never once their owner has closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <optional>
#include <thread>

#include "sys/win32/text.h"
#include "text/error.h"
#include "sys/win32/ui_thread.h"
#include "ui/win32/window_base.h"
#include "ui/win32/window_error.h"

namespace prn::ui {
namespace {

constexpr UINT kThrow = WM_APP + 5;
constexpr UINT kSentinel = WM_APP + 78;

class TestWindow : public WindowBase {
 public:
  TestWindow() {
    Creation creation;
    creation.instance = GetModuleHandleW(nullptr);
    creation.className = L"PrnSetupLayerTest";
    creation.style = 0;
    creation.place = RECT{0, 0, 0, 0};
    creation.parent = HWND_MESSAGE;
    CreateWindowFor(creation);
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrow) throw Error(u"The printer list could not be read.");
    return Default(message, wParam, lParam);
  }
};

std::wstring g_boxText;
std::wstring g_boxCaption;

// The box's own loop runs this zero timer: read the text and caption, press OK.
VOID CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", nullptr);
  if (!box || GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId()) return;  // not up yet
  KillTimer(nullptr, timer);
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  g_boxText = text;
  GetWindowTextW(box, text, 256);
  g_boxCaption = text;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(WindowLayerTest, AnExceptionInAHandlerBecomesABoxWithTheErrorCaptionAndTheMessageCountsAsHandled) {
  SetWindowErrorCaption(u"Kaputt");  // the language file's ErrorTitle
  TestWindow window;
  SetTimer(nullptr, 0, 0, AnswerBox);
  EXPECT_EQ(SendMessageW(window.Handle(), kThrow, 0, 0), 0);
  EXPECT_EQ(g_boxText, L"The printer list could not be read.");
  EXPECT_EQ(g_boxCaption, L"Kaputt");
  EXPECT_TRUE(IsWindow(window.Handle()));
  SetWindowErrorCaption(u"");
}

TEST(WindowLayerTest, AWorkersCallRunsOnTheUiThreadEvenInAModalLoopAndNoneAfterClose) {
  win32::Win32UiThread ui;
  sys::UiTasks tasks(ui);
  const DWORD uiThread = GetCurrentThreadId();
  DWORD ranOn = 0;
  std::optional<int> answer;
  // The worker asks while the UI thread sits in a message box's own loop.
  std::thread worker([&] {
    answer = tasks.Call([&] {
      ranOn = GetCurrentThreadId();
      return 7;
    });
    PostThreadMessageW(uiThread, kSentinel, 0, 0);
  });
  SetTimer(nullptr, 0, 200, AnswerBox);
  MessageBoxW(nullptr, L"waiting", L"PrnSetup", MB_OK);
  worker.join();
  EXPECT_EQ(answer, 7);
  EXPECT_EQ(ranOn, uiThread);

  int runs = 0;
  tasks.Close();
  std::thread late([&] { tasks.Post([&] { ++runs; }); });
  late.join();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace prn::ui
