#include "ui/win32/frm_welcome_window.h"

#include "sys/win32/text.h"
#include "ui/win32/drawn_pictures.h"

namespace prn::ui {

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr int kWidth = 620;  // 96-dpi units
constexpr int kHeight = 289;
constexpr BYTE kAlpha = 221;
constexpr COLORREF kLightBlue = RGB(166, 202, 240);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr Box96 kStrip{1, 125, 619, 93};  // pnlBack
constexpr Box96 kTitle{8, 30, 604, 41};
constexpr Box96 kLoading{431, 251, 185, 29};
constexpr int kPictureLeft = 16;  // in the strip
constexpr int kPictureStep = 120;
constexpr int kPictureTop = 10;
constexpr int kPictureWidth = 100;
constexpr int kPictureHeight = 72;

}  // namespace

FrmWelcomeWindow::FrmWelcomeWindow(HINSTANCE instance, const config::TLangOptions& lang,
                                   const config::TStrInstaller& texts, COLORREF titleColour)
    : model_(lang, texts), titleColour_(titleColour) {
  Creation creation;
  creation.instance = instance;
  creation.className = L"TfrmWelcome";
  creation.title = L"frmWelcome";
  creation.style = WS_POPUP | WS_CLIPCHILDREN;
  creation.exStyle = WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  creation.place = RECT{0, 0, kWidth, kHeight};
  CreateWindowFor(creation);
  HWND window = Handle();
  SetLayeredWindowAttributes(window, 0, kAlpha, LWA_ALPHA);
  background_ = GdiBrush(CreateSolidBrush(kLightBlue));
  strip_ = GdiBrush(CreateSolidBrush(kWhite));

  auto add = [&](DWORD style, int id) {
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_NOPREFIX | style, 0, 0, 0, 0, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  add(WS_VISIBLE | SS_CENTER, welcome_id::Title);
  add(WS_VISIBLE | SS_LEFT, welcome_id::Loading);
  // Hidden until their turn; img1 takes double-clicks.
  for (int picture = 0; picture < kWelcomePictures; ++picture) {
    add(SS_OWNERDRAW | (picture == 0 ? SS_NOTIFY : 0), welcome_id::FirstPicture + picture);
  }
  SetControlText(Item(welcome_id::Title), model_.Title());
  ApplyDpi(DpiOfWindow(window));
  Render();
}

void FrmWelcomeWindow::ShowModal(HWND owner) {
  ended_ = false;
  HWND window = Handle();
  CentreWindow(window, nullptr);
  ShowWindow(window, SW_SHOW);
  SetTimer(window, kShowTimer, model_.TimerInterval(), nullptr);
  RunModalLoop(owner, window, [this] { return ended_; });
  KillTimer(window, kShowTimer);
}

void FrmWelcomeWindow::OnTimer() {
  if (model_.OnTimer()) {
    KillTimer(Handle(), kShowTimer);
    ended_ = true;
    return;
  }
  SetTimer(Handle(), kShowTimer, model_.TimerInterval(), nullptr);
  Render();
}

void FrmWelcomeWindow::Render() {
  SetControlText(Item(welcome_id::Loading), model_.LoadingText());
  for (int picture = 0; picture < kWelcomePictures; ++picture) {
    ShowWindow(Item(welcome_id::FirstPicture + picture), picture < model_.ShownPictures() ? SW_SHOW : SW_HIDE);
  }
}

void FrmWelcomeWindow::ApplyDpi(int dpi) {
  const DpiScale scale{dpi};
  titleFont_ = CreateStyledFont(scale, {35, true, false}, win32::Wide(model_.Title()));
  loadingFont_ = CreateStyledFont(scale, {16, false, false});
  SendMessageW(Item(welcome_id::Title), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), TRUE);
  SendMessageW(Item(welcome_id::Loading), WM_SETFONT, reinterpret_cast<WPARAM>(loadingFont_.Get()), TRUE);
  SetWindowPos(Handle(), nullptr, 0, 0, scale(kWidth), scale(kHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControl(Item(welcome_id::Title), kTitle, scale);
  PlaceControl(Item(welcome_id::Loading), kLoading, scale);
  for (int picture = 0; picture < kWelcomePictures; ++picture) {
    PlaceControl(Item(welcome_id::FirstPicture + picture),
                 {kStrip.x + kPictureLeft + picture * kPictureStep, kStrip.y + kPictureTop, kPictureWidth,
                  kPictureHeight},
                 scale);
  }
}

void FrmWelcomeWindow::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, background_.Get());
  const DpiScale scale = Scale();
  RECT strip{scale(kStrip.x), scale(kStrip.y), scale(kStrip.x + kStrip.width), scale(kStrip.y + kStrip.height)};
  FillRect(dc, &strip, strip_.Get());
}

LRESULT FrmWelcomeWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      Paint(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      const bool title = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == welcome_id::Title;
      SetTextColor(dc, title ? titleColour_ : RGB(0, 0, 0));
      return reinterpret_cast<LRESULT>(background_.Get());
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int picture = static_cast<int>(item.CtlID) - welcome_id::FirstPicture;
      if (picture < 0 || picture >= kWelcomePictures) break;
      DrawWelcomePicture(item.hDC, item.rcItem, picture);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == welcome_id::FirstPicture && HIWORD(wParam) == STN_DBLCLK) {
        model_.PictureDoubleClick();
        SetTimer(Handle(), kShowTimer, model_.TimerInterval(), nullptr);
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kShowTimer) {
        OnTimer();
        return 0;
      }
      break;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
      return TRUE;
    case kDpiChanged:
      ApplyDpi(HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      return 0;  // it closes itself
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace prn::ui
