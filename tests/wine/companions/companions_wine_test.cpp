// The installer's companion windows under Wine: the progress window runs an
// install on the simulated machine, follows its timers and closes at the run's end, the welcome window
// ends by itself, and the search window ends with Cancel only.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "run_fixture.h"
#include "sys/win32/ui_thread.h"
#include "ui/win32/drawn_pictures.h"
#include "ui/win32/form_installing_window.h"
#include "ui/win32/form_searching_dialog.h"
#include "ui/win32/frm_welcome_window.h"

namespace prn::ui {
namespace {

using namespace prn::testing;

// Runs `probe` every few milliseconds inside whatever modal loop is pumping
// this thread, until it answers false.
class Probe {
 public:
  explicit Probe(std::function<bool()> probe) {
    current_ = std::move(probe);
    timer_ = SetTimer(nullptr, 0, 10, &Probe::Tick);
  }
  ~Probe() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

 private:
  static VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ && !current_()) current_ = nullptr;
  }
  static inline std::function<bool()> current_;
  UINT_PTR timer_ = 0;
};

std::wstring TextOf(HWND control) {
  wchar_t text[512] = {};
  GetWindowTextW(control, text, 512);
  return text;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
  return FindWindowExW(parent, nullptr, className, nullptr);
}

class CompanionsTest : public RunTest {
 protected:
  CompanionsTest() {
    texts().Installing = u"Installing the driver";
    texts().Loading = u"Loading";
  }
  config::TStrInstaller& texts() { return Program().Values().strInstaller; }
  // The simulated machine with this thread's real message loop as its UI thread.
  sys::Platform WindowPlatform() {
    sys::Platform platform = Machine().Platform();
    platform.uiThread = &ui_;
    return platform;
  }

 private:
  win32::Win32UiThread ui_;
};

TEST_F(CompanionsTest, TheProgressWindowFollowsItsTimersAndEachRunEndsItsModalDisplay) {
  FormInstallingWindow progress(GetModuleHandleW(nullptr), Program().Values(), WindowPlatform());
  HWND window = progress.WindowBase::Handle();
  HWND bar = ChildOfClass(window, PROGRESS_CLASSW);
  HWND label = ChildOfClass(window, L"Static");
  ASSERT_TRUE(bar && label);
  // The host's messages mean nothing to this window: no run, nothing shown.
  SendMessageW(window, 0x402, 0, 0);
  SendMessageW(window, 0x401, 0, 5);
  EXPECT_EQ(progress.Model().Runner().Completions(), 0);
  EXPECT_FALSE(IsWindowVisible(window));

  HWND owner = CreateWindowExW(0, L"Static", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 400, nullptr,
                               nullptr, nullptr, nullptr);
  for (int showing = 1; showing <= 2; ++showing) {
    std::set<LRESULT> positions;
    bool ownerClosed = true;
    std::wstring labelWhileRunning;
    {
      Probe probe([&] {
        positions.insert(SendMessageW(bar, PBM_GETPOS, 0, 0));
        ownerClosed = ownerClosed && !IsWindowEnabled(owner);
        if (labelWhileRunning.empty()) labelWhileRunning = TextOf(label);
        return true;
      });
      progress.ShowModal(owner);
    }
    // The run ended and closed the window, which ended the modal display.
    EXPECT_FALSE(progress.Model().Runner().Running());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(ownerClosed);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(labelWhileRunning, L"Installing the driver");
    // Each showing starts at 0, and the hint timer moves the bar before the
    // worker starts (500 ms after the showing); the first showing from step 0.
    EXPECT_TRUE(positions.count(0)) << "showing " << showing;
    EXPECT_GE(positions.size(), 2u) << "showing " << showing;
    if (showing == 1) {
      EXPECT_TRUE(positions.count(20));
    }
    RECT place;
    GetWindowRect(window, &place);
    EXPECT_EQ(place.right - place.left, progress.Scale()(kInstallingWidth));
    EXPECT_EQ(place.bottom - place.top, progress.Scale()(kInstallingHeight));
  }
  DestroyWindow(owner);
}

TEST_F(CompanionsTest, TheWelcomeShowsItsPicturesInTurnAndEndsByItselfSoonerAfterADoubleClick) {
  config::TLangOptions lang{texts()};
  for (const bool hurry : {false, true}) {
    FrmWelcomeWindow welcome(GetModuleHandleW(nullptr), lang, texts(), RGB(128, 0, 128));
    HWND first = GetDlgItem(welcome.Handle(), welcome_id::FirstPicture);
    HWND last = GetDlgItem(welcome.Handle(), welcome_id::FirstPicture + 4);
    int visibleFirstAlone = 0;
    bool clicked = false;
    {
      Probe probe([&] {
        if (IsWindowVisible(first) && !IsWindowVisible(last)) ++visibleFirstAlone;
        if (hurry && !clicked && IsWindowVisible(first)) {
          clicked = true;
          PostMessageW(first, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
        }
        return true;
      });
      welcome.ShowModal(nullptr);
    }
    EXPECT_GT(visibleFirstAlone, 0);
    EXPECT_FALSE(IsWindowVisible(welcome.Handle()));
    EXPECT_EQ(welcome.Model().ShownPictures(), kWelcomePictures);
    EXPECT_TRUE(GetWindowLongPtrW(last, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(TextOf(GetDlgItem(welcome.Handle(), welcome_id::Loading)), L"Loading .....");
    EXPECT_FALSE(welcome.Model().TimerRunning());
    // The double-click reached the model through img1: the steps are 50 ms.
    EXPECT_EQ(welcome.Model().TimerInterval(), hurry ? 50u : 900u);
  }
}

TEST(FormSearchingDialogTest, ReSearchLeavesItOpenAndCancelClosesIt) {
  FormSearchingDialog search;
  std::wstring title, caption;
  LRESULT position = -1;
  bool openAfterReSearch = false;
  bool pressed = false;
  {
    Probe probe([&] {
      HWND dialog = FindWindowW(L"#32770", L"FormSearching");
      if (!dialog) return true;
      if (!pressed) {
        pressed = true;
        title = TextOf(GetDlgItem(dialog, searching_id::Search));
        caption = TextOf(dialog);
        position = SendMessageW(GetDlgItem(dialog, searching_id::Steps), PBM_GETPOS, 0, 0);
        SendMessageW(GetDlgItem(dialog, searching_id::ReSearch), BM_CLICK, 0, 0);
        return true;
      }
      openAfterReSearch = IsWindowVisible(dialog);
      SendMessageW(GetDlgItem(dialog, searching_id::CancelSearch), BM_CLICK, 0, 0);
      return false;
    });
    search.Show(GetModuleHandleW(nullptr), nullptr);
  }
  EXPECT_EQ(caption, L"FormSearching");
  EXPECT_EQ(title, L"正在搜索联机信息 ...");
  EXPECT_EQ(position, 0);
  EXPECT_TRUE(openAfterReSearch);
}

}  // namespace
}  // namespace prn::ui
