// The program as it ships, started from a copy of the example package and
// installed through its window as a user would: Install, Yes, and the one
// completion box. In the win32 build that is the i686 PrnSetup.exe on 64-bit
// Wine, which probes through the 64-bit host it carries. Wine's printer UI
// creates no queue, so a stand-in printui.dll of the tests does what the
// real one does for "/if"; the success handler then configures a real queue
// on Wine's spooler, and the test reads it back.

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/install_infos.h"
#include "config/lang_options.h"
#include "prnsetup_run.h"
#include "sys/win32/files.h"
#include "sys/win32/text.h"
#include "text/format.h"
#include "text/winpath.h"

namespace prn::testing {
namespace {

using win32::U;
using win32::W;

constexpr DWORD kWindowWait = 60000;
constexpr DWORD kInstallWait = 240000;
constexpr int kStartButton = 310;  // btnStart of the classic window
constexpr char16_t kHostDllFailure[] = u"装载DLL失败！";

ustring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  GetSystemDirectoryW(path, MAX_PATH);
  return U(path);
}

std::string Utf16File(const std::u16string& text) {
  const std::u16string withBom = u"\uFEFF" + text;
  return std::string(reinterpret_cast<const char*>(withBom.data()), withBom.size() * 2);
}

// A message box of any process (the installer's, or the host's own).
struct Box {
  HWND window = nullptr;
  ustring text;
  bool question = false;  // Yes and No buttons
};

BOOL CALLBACK CollectBox(HWND window, LPARAM data) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (IsWindowVisible(window) && wcscmp(name, L"#32770") == 0 && GetDlgItem(window, 0xFFFF)) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  }
  return TRUE;
}

std::vector<Box> OpenBoxes() {
  std::vector<HWND> windows;
  EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&windows));
  std::vector<Box> boxes;
  for (HWND window : windows) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(window, 0xFFFF, text, 1024);
    boxes.push_back({window, U(text), GetDlgItem(window, IDYES) != nullptr});
  }
  return boxes;
}

struct QueueState {
  bool exists = false;
  ustring port;
  ustring processor;
  ustring form;
};

QueueState ReadQueue(const ustring& name) {
  QueueState state;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(W(name)), &printer, nullptr)) return state;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed && GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    state.exists = true;
    state.port = info->pPortName ? U(info->pPortName) : u"";
    state.processor = info->pPrintProcessor ? U(info->pPrintProcessor) : u"";
    if (info->pDevMode) state.form = U(info->pDevMode->dmFormName);
  }
  ClosePrinter(printer);
  return state;
}

ustring DefaultPrinter() {
  wchar_t name[512] = {};
  DWORD size = 512;
  return GetDefaultPrinterW(name, &size) ? U(name) : u"";
}

// The queue and its driver, so that the prefix is as the other tests expect it.
void DeleteQueueAndDriver(const ustring& name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(const_cast<wchar_t*>(W(name)), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
  DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(W(name)));
}

class ShippedInstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(package_.Ready());
    RemoveTrace();
    SetEnvironmentVariableW(L"PRNSETUP_TRACE", W(JoinPath(package_.Root(), ustring(kTraceStem) + u".log")));

    // The stand-in printer UI, where the installer's rundll32 finds it.
    standIn_ = JoinPath(SystemFolder(), u"printui.dll");
    saved_ = JoinPath(package_.Root(), u"printui.dll.wine");
    ASSERT_TRUE(CopyFileW(W(standIn_), W(saved_), FALSE));
    ASSERT_TRUE(CopyFileW(W(JoinPath(ThisFolder(), u"printui.dll")), W(standIn_), FALSE));
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", L"printui=n;mscoree=d;mshtml=d");
    DeleteQueueAndDriver(kModel);
  }

  void TearDown() override {
    DeleteQueueAndDriver(kModel);
    CopyFileW(W(saved_), W(standIn_), FALSE);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", L"mscoree=d;mshtml=d");
    SetEnvironmentVariableW(L"PRNSETUP_TRACE", nullptr);
    RemoveTrace();
  }

  static void RemoveTrace() {
    for (const ustring& path : TraceFiles(kTraceStem)) DeleteFileW(W(path));
  }

  // Setup.Ini of the copy with one model whose entry asks for a port, a
  // print processor, a paper form and the default printer.
  void WriteConfiguredEntry(ustring_view viewMode) {
    const std::u16string ini = u"[QX1]\r\nViewMode = " + ustring(viewMode) +
                               u"\r\nIndex = 50\r\nPrinterName = Quillon QX1\r\nPrinterHWID = QuillonQX17A3F\r\n"
                               u"DriverDir = QX1\r\nINF.2K = QX1.INF\r\nINF.X64 = QX1.INF\r\nDefaultPort = LPT2:\r\n"
                               u"PrintProcess = wineps\r\nDefaultForm = A5\r\nAlwaysSetDefault = 1\r\n"
                               u"BGImage.EN = Resource\\Background.EN.png\r\nPrinterImage.EN = Resource\\Printer.png\r\n";
    ASSERT_EQ(files_.WriteFile(JoinPath(package_.Folder(), u"Setup.Ini"), Utf16File(ini)), 0u);
  }

  // The English texts the installer shows, from its language file.
  config::TStrInstaller Texts() {
    config::TInstallInfos settings;
    win32::Win32CodePage ansi;
    config::SettingsEnvironment env{&files_, &ansi, package_.Folder() + u"\\", 0x0409, 61};
    settings.LoadFromFile(JoinPath(package_.Folder(), u"Setup.Ini"), env);
    config::TStrInstaller texts;
    config::TLangOptions lang(texts);
    lang.LoadFromFile(HostFolder(PRN_SOURCE_DIR "/resources/lang/Strings_EN.ini"), settings, files_, ansi);
    return texts;
  }

  // The installer's window of the given class, shown by `run`; null (and a
  // failure) when another or none shows.
  HWND ShownWindow(PrnSetupRun& run, const char16_t* className) {
    HWND main = run.Started() ? run.WaitForVisibleWindow(kWindowWait) : nullptr;
    EXPECT_NE(main, nullptr) << "no window shown";
    if (!main || WindowClassName(main) != className) {
      ADD_FAILURE() << "not a " << ToUtf8(className);
      return nullptr;
    }
    return main;
  }

  // Answers every box as the user would (Yes to questions, OK otherwise)
  // until `done` holds with no box open; answers the texts in order.
  std::vector<ustring> AnswerBoxesUntil(PrnSetupRun& run, const std::function<bool()>& done) {
    std::vector<ustring> seen;
    const ULONGLONG end = GetTickCount64() + kInstallWait;
    while (GetTickCount64() < end) {
      const std::vector<Box> boxes = OpenBoxes();
      if (boxes.empty() && done()) break;
      for (const Box& box : boxes) {
        seen.push_back(box.text);
        PostMessageW(box.window, WM_COMMAND, box.question ? IDYES : IDOK, 0);
        // The next box can only come once this one is gone.
        for (int i = 0; i < 100 && IsWindow(box.window); ++i) Sleep(50);
      }
      if (run.WaitForExit(200) != STILL_ACTIVE) break;
    }
    return seen;
  }

  static constexpr char16_t kModel[] = u"Quillon QX1";
  static constexpr char16_t kTraceStem[] = u"prn-shipped-install";
  win32::Win32FileSystem files_;
  PackageCopy package_{u"prn-wine-shipped"};
  ustring standIn_, saved_;
};

// The classic window: Install, Yes, and exactly one completion, the
// success; the probe got its answer from the host (no box of its own, no
// 0x42b), and the queue is where the entry says, as it says.
TEST_F(ShippedInstallTest, TheClassicWindowInstallsAndConfiguresTheQueue) {
  WriteConfiguredEntry(u"10");
  const config::TStrInstaller texts = Texts();
  PrnSetupRun run(package_.Exe(), u"EN", package_.Folder());
  HWND main = ShownWindow(run, u"TFormMain");
  ASSERT_NE(main, nullptr);
  HWND start = GetDlgItem(main, kStartButton);
  ASSERT_TRUE(IsWindowEnabled(start));

  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kStartButton, BN_CLICKED), reinterpret_cast<LPARAM>(start));
  // The window is locked from the click until the last box is answered.
  bool locked = false;
  const std::vector<ustring> boxes = AnswerBoxesUntil(run, [&] {
    locked |= !IsWindowEnabled(start);
    return locked && IsWindowEnabled(start);
  });
  EXPECT_TRUE(locked);

  ASSERT_EQ(boxes.size(), 2u) << ToUtf8(boxes.empty() ? u"" : boxes.back());
  EXPECT_EQ(boxes[0], texts.BeforeInstallPrompt);
  EXPECT_EQ(boxes[1], Format(texts.InstallSuccessStr, {ustring(kModel), u"LPT2:"}) + u"\r\n" + texts.RestartPrompt);
  for (const ustring& box : boxes) EXPECT_EQ(box.find(kHostDllFailure), ustring::npos);

  const QueueState queue = ReadQueue(kModel);
  ASSERT_TRUE(queue.exists);
  EXPECT_EQ(queue.port, u"LPT2:");
  EXPECT_EQ(queue.processor, u"wineps");
  EXPECT_EQ(queue.form, u"A5");
  EXPECT_EQ(DefaultPrinter(), kModel);

  const ustring trace = ReadTrace(kTraceStem);
  EXPECT_EQ(trace.find(u"ErrCode=42b"), ustring::npos);
  if (sizeof(void*) == 4) {
    // The 32-bit installer on 64-bit Windows: the host probed and wrote its
    // answer. Wine's UpdateDriverForPlugAndPlayDevices answers success even
    // with no device, so the answer reads as a driver in place; a host that
    // wrote nothing would read as an aborted probe.
    EXPECT_NE(trace.find(u"已成功地創建了64位檢測進程"), ustring::npos) << ToUtf8(trace);
    EXPECT_NE(trace.find(u"恭喜，在檢測過程中發現已經完成驅動安裝。"), ustring::npos) << ToUtf8(trace);
  }

  PostMessageW(main, WM_COMMAND, MAKEWPARAM(311, BN_CLICKED), 0);  // Exit
  EXPECT_EQ(run.WaitForExit(kWindowWait), 0u);
}

// The skinned window: its install button, Yes, then the progress window
// runs the install to one completion box and closes.
TEST_F(ShippedInstallTest, TheSkinnedWindowInstallsThroughItsProgressWindow) {
  WriteConfiguredEntry(u"20");
  const config::TStrInstaller texts = Texts();
  PrnSetupRun run(package_.Exe(), u"EN", package_.Folder());
  HWND main = ShownWindow(run, u"TFormMainV2");
  ASSERT_NE(main, nullptr);

  // Tab puts the focus on the install button, Enter presses it.
  PostMessageW(main, WM_KEYDOWN, VK_TAB, 0);
  PostMessageW(main, WM_KEYDOWN, VK_RETURN, 0);
  bool progressSeen = false;
  const std::vector<ustring> boxes = AnswerBoxesUntil(run, [&] {
    bool progressShows = false;
    for (HWND window : run.TopLevelWindows()) {
      progressShows |= WindowClassName(window) == u"TFormInstalling" && IsWindowVisible(window);
    }
    progressSeen |= progressShows;
    return progressSeen && !progressShows;
  });

  ASSERT_EQ(boxes.size(), 2u) << ToUtf8(boxes.empty() ? u"" : boxes.back());
  EXPECT_EQ(boxes[0], texts.BeforeInstallPrompt);
  EXPECT_EQ(boxes[1], Format(texts.InstallSuccessStr, {ustring(kModel), u"LPT2:"}) + u"\r\n" + texts.RestartPrompt);
  EXPECT_TRUE(progressSeen);
  const QueueState queue = ReadQueue(kModel);
  EXPECT_EQ(queue.port, u"LPT2:");
  EXPECT_EQ(queue.processor, u"wineps");
  EXPECT_EQ(DefaultPrinter(), kModel);
  EXPECT_EQ(ReadTrace(kTraceStem).find(u"ErrCode=42b"), ustring::npos);

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(kWindowWait), 0u);
}

}  // namespace
}  // namespace prn::testing
