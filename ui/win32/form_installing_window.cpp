#include "ui/win32/form_installing_window.h"

#include <commctrl.h>

namespace prn::ui {

namespace {

constexpr int kBarHeight = 17;        // 96-dpi units
constexpr int kLabelTop = 20;
constexpr int kLabelHeight = 18;

constexpr UINT_PTR TimerId(InstallingTimer timer) { return static_cast<UINT_PTR>(timer) + 1; }

UINT TimerInterval(InstallingTimer timer) {
  switch (timer) {
    case InstallingTimer::InstallStart: return kInstallStartMs;
    case InstallingTimer::InstallingHints: return kInstallingBarMs;
    case InstallingTimer::Setup64Error: return kSetup64ErrorMs;
  }
  return kSetup64ErrorMs;
}

}  // namespace

FormInstallingWindow::FormInstallingWindow(HINSTANCE instance, const config::ProcessValues& values,
                                           const sys::Platform& platform) {
  Creation creation;
  creation.instance = instance;
  creation.className = L"TFormInstalling";
  creation.title = L"FormInstalling";
  creation.style = WS_POPUP | WS_CLIPCHILDREN;
  creation.place = RECT{0, 0, kInstallingWidth, kInstallingHeight};
  CreateWindowFor(creation);
  HWND window = WindowBase::Handle();

  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr, instance,
                         nullptr);
  SendMessageW(bar_, PBM_SETRANGE32, 0, kBarMaximum);
  label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, 0, 0, 0, window,
                           nullptr, instance, nullptr);
  ApplyDpi(DpiOfWindow(window));

  FormInstallingView& view = *this;
  model_ = std::make_unique<TFormInstalling>(view, values, platform);
}

FormInstallingWindow::~FormInstallingWindow() {
  // The run ends before the window it reports to; what it still posts is dropped.
  model_.reset();
}

void FormInstallingWindow::ShowModal(HWND owner) {
  if (showing_) return;
  showing_ = true;
  closed_ = false;
  HWND window = WindowBase::Handle();
  // The owner keeps the window in front of it and gets the activation back.
  SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  CentreWindow(window, owner);
  ShowWindow(window, SW_SHOW);
  model_->FormShow();
  RunModalLoop(owner, window, [this] { return closed_; });
  showing_ = false;
}

void FormInstallingWindow::SetBarPosition(int position) { SendMessageW(bar_, PBM_SETPOS, position, 0); }

void FormInstallingWindow::SetLabel(const ustring& text) { SetControlText(label_, text); }

void FormInstallingWindow::EnableTimer(InstallingTimer timer, bool enabled) {
  if (enabled) {
    SetTimer(WindowBase::Handle(), TimerId(timer), TimerInterval(timer), nullptr);
  } else {
    KillTimer(WindowBase::Handle(), TimerId(timer));
  }
}

void FormInstallingWindow::ApplyDpi(int dpi) {
  const DpiScale scale{dpi};
  font_ = CreateDialogFont(dpi);
  SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  SetWindowPos(WindowBase::Handle(), nullptr, 0, 0, scale(kInstallingWidth), scale(kInstallingHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControl(bar_, {0, 0, kInstallingWidth, kBarHeight}, scale);
  PlaceControl(label_, {0, kLabelTop, kInstallingWidth, kLabelHeight}, scale);
}

LRESULT FormInstallingWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      switch (wParam) {
        case TimerId(InstallingTimer::InstallStart): model_->tmrInstallStartTimer(); return 0;
        case TimerId(InstallingTimer::InstallingHints): model_->tmrInstallingHintsTimer(); return 0;
        case TimerId(InstallingTimer::Setup64Error): model_->tmrSetup64ErrorTimer(); return 0;
        default: break;
      }
      break;
    case kDpiChanged:
      ApplyDpi(HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      return 0;  // only the run's end closes it
    case WM_DESTROY:
      for (auto timer : {InstallingTimer::InstallStart, InstallingTimer::InstallingHints, InstallingTimer::Setup64Error}) {
        EnableTimer(timer, false);
      }
      return 0;
    default:
      break;
  }
  // 0x401 and 0x402 from the 64-bit host have no effect here.
  return Default(message, wParam, lParam);
}

}  // namespace prn::ui
