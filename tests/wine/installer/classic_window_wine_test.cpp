// The real classic installer window in this process under Wine, made by the
// program's own form host on the example package and the English texts, and
// driven by messages: its place and size, the keyboard through the program's
// own loop step, the selection and its texts, an install run to its
// completion box, the manager and back, and a document label.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "wine/window_pump.h"
#include "wine/wine_test_support.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "config/process_values.h"
#include "sys/shell.h"
#include "sys/win32/platform.h"
#include "sys/win32/text.h"
#include "text/winpath.h"
#include "ui/form_host.h"
#include "ui/win32/form_host.h"
#include "ui/win32/form_main_window.h"

namespace prn::ui {
namespace {

using prn::testing::AnsweringDialogs;
using prn::testing::BinFolder;
using prn::testing::Pump;
using prn::testing::PumpUntil;
using prn::testing::SourcePath;
using prn::testing::TypeKey;
using prn::testing::Wow64SystemInfo;

namespace id = form_main_id;

constexpr DWORD kRunLimitMs = 120000;

// A question gets Yes; the three-button one gets Cancel, which would start another run.
int AnswerOfTheClassicRun(uint32_t flags) {
  switch (flags & 0x0F) {
    case sys::mb::YesNo: return sys::mb::IdYes;
    case sys::mb::YesNoCancel: return sys::mb::IdCancel;
    default: return sys::mb::IdOk;
  }
}

// Documents are recorded instead of opened; the rest goes to the real shell.
class RecordingShell : public sys::Shell {
 public:
  struct Opened {
    sys::WindowHandle owner;
    ustring verb, file, parameters, directory;
    int showCommand;
  };
  explicit RecordingShell(sys::Shell& real) : real_(real) {}
  std::optional<ustring> ProgramFilesFolder(sys::WindowHandle owner) override { return real_.ProgramFilesFolder(owner); }
  int DeleteWithShell(const ustring& path, uint32_t flags, sys::WindowHandle owner) override {
    return real_.DeleteWithShell(path, flags, owner);
  }
  intptr_t Execute(sys::WindowHandle owner, const ustring& verb, const ustring& file, const ustring& parameters,
                   const ustring& directory, int showCommand) override {
    opened.push_back({owner, verb, file, parameters, directory, showCommand});
    return 42;
  }
  intptr_t OpenAsDesktopUser(sys::WindowHandle owner, const ustring& target) override {
    return Execute(owner, u"open as the desktop's user", target, u"", u"", SW_SHOW);
  }
  std::vector<Opened> opened;

 private:
  sys::Shell& real_;
};

ustring TextOf(HWND control) {
  wchar_t text[1024] = {};
  SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return win32::U(text);
}

ustring StatusText(HWND bar) {
  wchar_t text[1024] = {};
  if (LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0)) >= 1024) return u"(too long)";
  SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  return win32::U(text);
}

// A top-level window of this thread by class: other programs in the same
// Wine prefix share the desktop.
struct WindowSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM state) {
  auto& wanted = *reinterpret_cast<WindowSearch*>(state);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpW(name, wanted.className) != 0) return TRUE;
  wanted.found = window;
  return FALSE;
}

HWND OwnWindow(const wchar_t* className) {
  WindowSearch search{className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// This process plays the program started from the example package: the
// package folder is where the program lies, so its driver folders are the
// package's own.
class StartedFromThePackage : public Wow64SystemInfo {
 public:
  ustring ExecutableFolder() const override { return SourcePath("examples/package"); }
};

class ClassicWindowWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Document names are relative: the shell finds them in the current folder.
    GetCurrentDirectoryW(MAX_PATH, previousFolder_);
    ASSERT_TRUE(SetCurrentDirectoryW(win32::W(SourcePath("examples/package"))));

    config::SettingsEnvironment env{&machine_.files, &machine_.codePage, SourcePath("examples/package") + u"\\",
                                    0x0409, 61};
    values_.installInfos.LoadFromFile(SourcePath("examples/package/Setup.Ini"), env);
    ASSERT_EQ(values_.installInfos.GetCount(), 2);
    values_.langOptions.LoadFromFile(SourcePath("resources/lang/Strings_EN.ini"), values_.installInfos,
                                     machine_.files, machine_.codePage);
    ASSERT_FALSE(values_.strInstaller.ClickInstallToStart.empty());
    // The shipped route on 64-bit Windows where this is the i686 build.
    values_.g_strInst2kDll = JoinPath(BinFolder(), sizeof(void*) == 8 ? u"inst2k64.dll" : u"inst2k.dll");
    values_.g_strInst2k64Dll = JoinPath(BinFolder(), u"inst2k64.dll");
    values_.g_strPrnSetup64Exe = JoinPath(BinFolder(), u"PrnSetup64.exe");
    values_.g_iWinVer = 61;
    values_.g_bWow64 = true;

    sys::Platform platform = machine_.Platform();
    platform.system = &wow64_;
    platform.dialogs = &dialogs;
    platform.shell = &shell;
    host_ = std::make_unique<Win32FormHost>(GetModuleHandleW(nullptr));
    host_->Bind(platform, values_);
    host_->Initialize();
    host_->CreateForm(ui::FormKind::TFormMain);
    window = OwnWindow(L"TFormMain");
    ASSERT_NE(window, nullptr);
    // The package's brand is shown at once: no transparent, layered start.
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    host_->ShowMainWindow();
    // The first activation ran before the window showed, so its first paint
    // already held the models.
    EXPECT_EQ(SendMessageW(Item(id::Printers), LVM_GETITEMCOUNT, 0, 0), 2);
    Pump();
    ASSERT_EQ(GetActiveWindow(), window) << "the shown window was not activated";
  }
  void TearDown() override {
    host_.reset();
    // The main window's end asked the loop to quit; the next test has its own.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    SetCurrentDirectoryW(previousFolder_);
  }

  HWND Item(int control) const { return GetDlgItem(window, control); }
  void SelectRow(int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Item(id::Printers), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    Pump();
  }
  // As a mouse click reaches a label: the static control tells its parent.
  void ClickLabel(int control) {
    SendMessageW(Item(control), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(Item(control), WM_LBUTTONUP, 0, 0);
    Pump();
  }

  const config::TStrInstaller& Texts() const { return values_.strInstaller; }

  win32::Win32Platform machine_;
  AnsweringDialogs dialogs{AnswerOfTheClassicRun};
  RecordingShell shell{machine_.shell};
  HWND window = nullptr;

 private:
  StartedFromThePackage wow64_;
  config::ProcessValues values_;
  std::unique_ptr<Win32FormHost> host_;
  wchar_t previousFolder_[MAX_PATH] = {};
};

TEST_F(ClassicWindowWineTest, ChoosingTheSecondModelShowsItsTextsAndOnlyTheLinksToDocumentsThatExist) {
  HWND list = Item(id::Printers);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
  EXPECT_EQ(GetFocus(), list);
  EXPECT_EQ(TextOf(Item(id::Group)), u"Select printer :Quillon QX1");

  SelectRow(1);
  EXPECT_EQ(TextOf(Item(id::Group)), u"Select printer :Quillon QX5");
  EXPECT_EQ(TextOf(Item(id::Infos)), u"Hints :" + Texts().ClickInstallToStart);
  EXPECT_EQ(StatusText(Item(id::Status)), u"Quillon QX5: 24-pin flatbed dot-matrix printer, 136 columns");
  EXPECT_TRUE(IsWindowEnabled(Item(id::Start)));
  EXPECT_TRUE(IsWindowEnabled(Item(id::Guide)));  // Docs\InstallGuide.EN.txt is there
  EXPECT_FALSE(IsWindowEnabled(Item(id::QuickGuide)));
  EXPECT_FALSE(IsWindowEnabled(Item(id::Manual)));  // the entry names none
  EXPECT_TRUE(dialogs.Recorded().empty());
}

TEST_F(ClassicWindowWineTest, IsCentredOnItsMonitorWithTheDesignedClientArea) {
  const int dpi = DpiOfWindow(window);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, MulDiv(600, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(469, dpi, 96));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), &monitor));
  RECT frame{};
  GetWindowRect(window, &frame);
  const RECT& work = monitor.rcWork;
  EXPECT_NEAR(frame.left - work.left, work.right - frame.right, 1);
  EXPECT_NEAR(frame.top - work.top, work.bottom - frame.bottom, 1);
}

TEST_F(ClassicWindowWineTest, TabGoesRoundTheListAndTheButtonsOnly) {
  SetFocus(Item(id::Printers));
  std::vector<HWND> visited;
  for (int press = 0; press < 8; ++press) {
    TypeKey(GetFocus(), VK_TAB);
    visited.push_back(GetFocus());
  }
  for (HWND focus : visited) {
    EXPECT_NE(focus, Item(id::Infos)) << "Tab landed on the information box";
    EXPECT_TRUE(IsWindowVisible(focus)) << "Tab landed on hidden control " << GetDlgCtrlID(focus);
  }
  const std::vector<HWND> round = {Item(id::Manager), Item(id::Start), Item(id::Exit), Item(id::Printers)};
  EXPECT_EQ(std::vector<HWND>(visited.begin(), visited.begin() + 4), round);
}

TEST_F(ClassicWindowWineTest, EnterOnAFocusedExitClosesTheWindowInsteadOfInstalling) {
  SetFocus(Item(id::Exit));
  TypeKey(Item(id::Exit), VK_RETURN);
  EXPECT_TRUE(dialogs.Recorded().empty()) << "Enter asked the install's first question";
  EXPECT_FALSE(IsWindow(window));
  MSG quit{};
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(ClassicWindowWineTest, AGuideLabelOpensItsDocumentThroughTheShellAndADisabledLabelOpensNothing) {
  SelectRow(1);
  ClickLabel(id::Manual);
  EXPECT_TRUE(shell.opened.empty());
  ClickLabel(id::Guide);
  ASSERT_EQ(shell.opened.size(), 1u);
  const auto& opened = shell.opened[0];
  EXPECT_EQ(opened.owner, reinterpret_cast<sys::WindowHandle>(window));
  EXPECT_EQ(opened.verb, u"open as the desktop's user");
  EXPECT_EQ(opened.file, win32::Win32FileSystem().FullPath(u"Docs\\InstallGuide.EN.txt"));
  EXPECT_EQ(opened.parameters, u"");
  EXPECT_EQ(opened.directory, u"");
  EXPECT_EQ(opened.showCommand, SW_SHOW);
}

// The real mouse: over a label, then straight out of the window, where the
// form itself hears nothing; the label's own leave clears the status bar.
TEST_F(ClassicWindowWineTest, TheMouseOverAGuideLabelShowsItsDocumentUntilItLeavesEvenStraightOutOfTheWindow) {
  SelectRow(1);
  RECT label{};
  GetWindowRect(Item(id::Guide), &label);
  SetCursorPos((label.left + label.right) / 2, (label.top + label.bottom) / 2);
  EXPECT_TRUE(PumpUntil([&] { return StatusText(Item(id::Status)) == u"Docs\\InstallGuide.EN.txt"; }, 5000))
      << ToUtf8(StatusText(Item(id::Status)));
  RECT frame{};
  GetWindowRect(window, &frame);
  SetCursorPos(frame.right + 20, frame.bottom + 20);
  EXPECT_TRUE(PumpUntil([&] { return StatusText(Item(id::Status)).empty(); }, 5000))
      << "still " << ToUtf8(StatusText(Item(id::Status)));
}

// Wine's printer UI adds no queue: the run ends in the box for a printer the
// UI could not add, and the window is given back with the focus on Exit.
TEST_F(ClassicWindowWineTest, EnterInTheListInstallsAndTheRunEndsInItsCompletionBoxAndGivesTheWindowBack) {
  SelectRow(1);
  // Enter outside a button presses Install, the default button.
  SetFocus(Item(id::Printers));
  TypeKey(Item(id::Printers), VK_RETURN);
  // The worker posts its requests: the window is closed to input after the question.
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(Item(id::Exit)); }, kRunLimitMs))
      << "the run did not take the window; boxes: " << dialogs.Recorded().size();
  EXPECT_FALSE(IsWindowEnabled(Item(id::Printers)));
  EXPECT_FALSE(IsWindowEnabled(Item(id::Start)));

  // The box comes from the worker while the window is given back on this thread.
  const bool ended = PumpUntil(
      [&] { return dialogs.Recorded().size() >= 2 && IsWindowEnabled(Item(id::Exit)); }, kRunLimitMs);
  const auto shown = dialogs.Recorded();
  ASSERT_TRUE(ended) << "no completion within " << kRunLimitMs / 1000 << " s; boxes so far: " << shown.size();
  EXPECT_EQ(shown.front().text, Texts().BeforeInstallPrompt);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, Texts().InstallFailReasonUnknow + u"\r\n" + Texts().InstallRetry);
  EXPECT_EQ(shown[1].caption, Texts().NoticeTitle);
  EXPECT_EQ(shown[1].flags, sys::mb::IconWarning);

  for (int control : {id::Start, id::Exit, id::Printers, id::Manager}) {
    EXPECT_TRUE(IsWindowEnabled(Item(control))) << "control " << control;
  }
  EXPECT_EQ(GetFocus(), Item(id::Exit));
  EXPECT_EQ(TextOf(Item(id::Group)), u"Select printer :Quillon QX5");  // still the chosen model
  // The hints timer sees the run ended and says so.
  EXPECT_TRUE(PumpUntil([&] { return StatusText(Item(id::Status)) == Texts().InstallEnd; }, 5000))
      << ToUtf8(StatusText(Item(id::Status)));
}

// What a timer inside the manager's modal loop saw before it closed the manager.
struct ManagerVisit {
  HWND manager = nullptr;
  bool ownerDisabled = false;
  bool managerActive = false;
  HWND owner = nullptr;
};
ManagerVisit g_visit;

VOID CALLBACK VisitManager(HWND, UINT, UINT_PTR, DWORD) {
  HWND manager = OwnWindow(L"TFormManager");
  if (!manager || !IsWindowVisible(manager) || g_visit.manager) return;
  g_visit.manager = manager;
  g_visit.ownerDisabled = !IsWindowEnabled(OwnWindow(L"TFormMain"));
  g_visit.managerActive = GetActiveWindow() == manager;
  g_visit.owner = GetWindow(manager, GW_OWNER);
  PostMessageW(manager, WM_CLOSE, 0, 0);
}

TEST_F(ClassicWindowWineTest, EnterOnTheManagerButtonShowsTheManagerOwnedAndModalAndClosingItRebuildsTheList) {
  SelectRow(1);
  g_visit = {};
  // The manager runs its own modal loop, so the test looks at it from a
  // timer that fires inside that loop, then closes it.
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &VisitManager);
  SetFocus(Item(id::Manager));
  TypeKey(Item(id::Manager), VK_RETURN);
  const bool closed = PumpUntil([] { return g_visit.manager && !IsWindowVisible(g_visit.manager); }, 20000);
  KillTimer(nullptr, timer);
  ASSERT_TRUE(closed) << "the manager did not show, or did not close";
  EXPECT_TRUE(g_visit.ownerDisabled) << "the classic window took input while the manager showed";
  EXPECT_TRUE(g_visit.managerActive);
  EXPECT_EQ(g_visit.owner, window) << "the manager has no owner: its own taskbar button, and it can fall behind";
  Pump();

  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetActiveWindow(), window);
  // Coming back from the manager runs the activation again: the list is
  // rebuilt and its first model selected.
  EXPECT_TRUE(PumpUntil([&] { return TextOf(Item(id::Group)) == u"Select printer :Quillon QX1"; }, 5000))
      << ToUtf8(TextOf(Item(id::Group)));
  EXPECT_EQ(SendMessageW(Item(id::Printers), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
  for (int control : {id::Start, id::Exit, id::Printers, id::Manager}) {
    EXPECT_TRUE(IsWindowEnabled(Item(control))) << "control " << control;
  }
  EXPECT_TRUE(dialogs.Recorded().empty());
}

}  // namespace
}  // namespace prn::ui
