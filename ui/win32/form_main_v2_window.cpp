#include "ui/win32/form_main_v2_window.h"

#include <windowsx.h>

#include <iterator>

namespace prn::ui {

namespace {

constexpr int kClientWidth = 800;     // 96-dpi units
constexpr int kClientHeight = 600;

struct SkinControl {
  SkinPicture id;
  Box96 box;  // a width of 0: the control takes its picture's size
  bool stretched;
  bool button;
};

// Designed places, in drawing order: later ones lie over earlier ones.
constexpr SkinControl kLayout[] = {
    {SkinPicture::Background, {0, 0, kClientWidth, kClientHeight}, false, false},
    {SkinPicture::Image1, {545, 139, 0, 0}, false, true},
    {SkinPicture::Image10, {545, 198, 223, 40}, false, false},
    {SkinPicture::Image0, {545, 232, 140, 36}, false, true},
    {SkinPicture::Image2, {545, 308, 140, 36}, false, true},
    {SkinPicture::Image3, {545, 356, 140, 36}, false, true},
    {SkinPicture::Image4, {545, 403, 140, 36}, false, true},
    {SkinPicture::Image5, {545, 451, 140, 36}, false, true},
    {SkinPicture::Printer, {56, 368, 480, 180}, false, false},
    {SkinPicture::Minimise, {698, 21, 36, 36}, true, true},
    {SkinPicture::Close, {738, 21, 36, 36}, true, true},
};

const SkinControl& LayoutOf(SkinPicture control) {
  for (const SkinControl& entry : kLayout) {
    if (entry.id == control) return entry;
  }
  return kLayout[0];
}

int LinkNumber(SkinPicture button) {
  switch (button) {
    case SkinPicture::Image2: return 2;
    case SkinPicture::Image3: return 3;
    case SkinPicture::Image4: return 4;
    case SkinPicture::Image5: return 5;
    default: return 0;
  }
}

}  // namespace

FormMainV2Window::FormMainV2Window(HINSTANCE instance, const sys::Platform& platform,
                                   const config::ProcessValues& values, bool mainWindow,
                                   std::function<void()> showManager, std::function<void(HWND owner)> showProgress)
    : mainWindow_(mainWindow),
      showManager_(std::move(showManager)),
      showProgress_(std::move(showProgress)),
      canvas_(kClientWidth, kClientHeight) {
  model_ = std::make_unique<TFormMainV2>(values, platform, *this);
  Creation creation;
  creation.instance = instance;
  creation.className = L"TFormMainV2";
  creation.title = L"Pellnor";
  // The system menu and minimise box only give the taskbar button its menu: a popup draws no frame.
  creation.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
  creation.exStyle = WS_EX_LAYERED | WS_EX_APPWINDOW;
  creation.place = RECT{0, 0, kClientWidth, kClientHeight};
  CreateWindowFor(creation);
  SetLayeredWindowAttributes(Handle(), kSkinColourKey, 0, LWA_COLORKEY);
  PlaceOnScreen(DpiOfWindow(Handle()));

  model_->FormCreate(Owner());
  if (!model_->ShowsManagerButton()) HidePicture(SkinPicture::Image0);
}

void FormMainV2Window::Show() {
  ShowWindow(Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(Handle());
}

bool FormMainV2Window::ShowPicture(SkinPicture control, const ustring& file) {
  PictureLoad load = LoadPictureFile(file);
  if (!load.picture) return false;
  State(control).picture = std::move(load.picture);
  Redraw();
  return true;
}

void FormMainV2Window::HidePicture(SkinPicture control) {
  State(control).hidden = true;
  if (hovered_ == control) hovered_.reset();
  if (focused_ == control) focused_.reset();
  Redraw();
}

Box96 FormMainV2Window::BoxOf(SkinPicture control) const {
  Box96 box = LayoutOf(control).box;
  if (box.width == 0) {
    const SIZE size = controls_[static_cast<size_t>(control)].picture.Size();
    box.width = size.cx;
    box.height = size.cy;
  }
  return box;
}

std::optional<SkinPicture> FormMainV2Window::ButtonAt(LPARAM clientPoint) const {
  const int dpi = DpiOfWindow(Handle());
  const int x = MulDiv(GET_X_LPARAM(clientPoint), kDesignDpi, dpi);
  const int y = MulDiv(GET_Y_LPARAM(clientPoint), kDesignDpi, dpi);
  for (auto entry = std::rbegin(kLayout); entry != std::rend(kLayout); ++entry) {
    if (!entry->button || controls_[static_cast<size_t>(entry->id)].hidden) continue;
    const Box96 box = BoxOf(entry->id);
    if (x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height) return entry->id;
  }
  return std::nullopt;
}

void FormMainV2Window::PlaceOnScreen(int dpi) {
  const DpiScale scale{dpi};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = scale(kClientWidth);
  const int height = scale(kClientHeight);
  SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormMainV2Window::Redraw() {
  composed_ = false;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void FormMainV2Window::Paint(HDC target) {
  if (!composed_) {
    // Without a background the window keeps a plain face, not the colour
    // key, which would leave nothing of it on the screen.
    canvas_.Fill(GetSysColor(COLOR_BTNFACE));
    for (const SkinControl& entry : kLayout) {
      const ControlState& state = controls_[static_cast<size_t>(entry.id)];
      if (state.hidden) continue;
      if (state.picture) {
        canvas_.Draw(state.picture, BoxOf(entry.id), entry.stretched);
      } else if (entry.id == SkinPicture::Close || entry.id == SkinPicture::Minimise) {
        // The window must stay closable and minimisable without its pictures.
        canvas_.DrawCaptionButton(entry.box, entry.id == SkinPicture::Close);
      }
    }
    composed_ = true;
  }
  canvas_.PaintTo(target, Scale());
}

void FormMainV2Window::OnMouseMove(LPARAM point) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  const std::optional<SkinPicture> under = ButtonAt(point);
  if (under == hovered_) return;
  hovered_ = under;
  UpdateHot();
}

void FormMainV2Window::OnButtonDown(LPARAM point) {
  if (const std::optional<SkinPicture> button = ButtonAt(point)) {
    pressed_ = button;
    SetCapture(Handle());
    return;
  }
  const int y = MulDiv(GET_Y_LPARAM(point), kDesignDpi, DpiOfWindow(Handle()));
  if (!DragHitTest(y)) return;
  // The system moves the window while the button is held, from where the
  // press was on the screen (Wine's move loop starts from this point).
  ReleaseCapture();
  SendMessageW(Handle(), kWmNcLButtonDown, kHtCaption, static_cast<LPARAM>(GetMessagePos()));
}

void FormMainV2Window::OnButtonUp(LPARAM point) {
  const std::optional<SkinPicture> pressed = pressed_;
  pressed_.reset();
  if (!pressed) return;
  ReleaseCapture();
  if (ButtonAt(point) == pressed) Click(*pressed);
}

bool FormMainV2Window::OnKey(WPARAM key) {
  switch (key) {
    case VK_TAB:
      MoveFocus(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN:
    case VK_SPACE:
      if (focused_) Click(*focused_);
      return true;
    case VK_ESCAPE:
      PostMessageW(Handle(), WM_CLOSE, 0, 0);
      return true;
    default:
      return false;
  }
}

void FormMainV2Window::MoveFocus(bool backwards) {
  const std::vector<SkinPicture> order = model_->TabOrder();
  if (order.empty()) return;
  const int count = static_cast<int>(order.size());
  int index = backwards ? count - 1 : 0;
  for (int i = 0; i < count && focused_; ++i) {
    if (order[i] == *focused_) index = (i + (backwards ? count - 1 : 1)) % count;
  }
  focused_ = order[index];
  UpdateHot();
}

void FormMainV2Window::UpdateHot() {
  for (const SkinControl& entry : kLayout) {
    if (!entry.button) continue;
    ControlState& state = State(entry.id);
    const bool hot = !state.hidden && (hovered_ == entry.id || focused_ == entry.id);
    if (hot == state.hot) continue;
    // Recorded first: the model's error box runs a message loop that may come back here.
    state.hot = hot;
    model_->Hover(entry.id, hot, Owner());
  }
}

void FormMainV2Window::Click(SkinPicture button) {
  // While the check before an install runs, the window only minimises.
  if (model_->Checking() && button != SkinPicture::Minimise) return;
  switch (button) {
    case SkinPicture::Image1:
      BeginInstall();
      return;
    case SkinPicture::Image0:
      if (showManager_) showManager_();
      return;
    case SkinPicture::Minimise:
      ShowWindow(Handle(), SW_MINIMIZE);
      return;
    case SkinPicture::Close:
      PostMessageW(Handle(), WM_CLOSE, 0, 0);
      return;
    default:
      if (const int link = LinkNumber(button)) model_->LinkClick(link, Owner());
      return;
  }
}

// The older driver goes on a thread of the model's while this window stays
// responsive; it takes no click until the user has decided.
void FormMainV2Window::BeginInstall() {
  model_->BeginInstall(Owner(), [this](BeginInstallResult result) {
    switch (result) {
      case BeginInstallResult::ShowProgressWindow:
        if (showProgress_) showProgress_(Handle());
        return;
      case BeginInstallResult::EndApplication:
        PostQuitMessage(0);  // Windows is restarting
        return;
      case BeginInstallResult::Declined:
        return;
    }
  });
}

LRESULT FormMainV2Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      Paint(dc);
      EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(Handle(), &cursor);
        const bool onButton = ButtonAt(MAKELPARAM(cursor.x, cursor.y)).has_value();
        SetCursor(LoadCursorW(nullptr, onButton ? IDC_HAND : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(lParam);
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (hovered_) {
        hovered_.reset();
        UpdateHot();
      }
      return 0;
    case WM_LBUTTONDOWN:
      OnButtonDown(lParam);
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(lParam);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) pressed_.reset();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;  // Tab, Enter and Esc are this window's, not the dialog manager's
    case WM_KEYDOWN:
      if (OnKey(wParam)) return 0;
      break;
    case kDpiChanged: {
      MoveToSuggestedRect(Handle(), wParam, lParam);
      Redraw();
      return 0;
    }
    case WM_CLOSE:
      if (model_->Checking()) return 0;  // the check before an install is not cut off
      break;
    default:
      break;
  }
  if (EndsOrHides(message, mainWindow_)) return 0;
  return Default(message, wParam, lParam);
}

}  // namespace prn::ui
