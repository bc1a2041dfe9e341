#include "ui/win32/window_base.h"

#include <algorithm>

#include "sys/system_queries.h"
#include "sys/win32/system_info.h"
#include "sys/win32/text.h"
#include "text/error.h"
#include "ui/win32/window_error.h"

namespace prn::ui {

WindowBase::~WindowBase() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void WindowBase::CreateWindowFor(const Creation& creation) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExW(creation.instance, creation.className, &existing)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowBase::Procedure;
    windowClass.hInstance = creation.instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = creation.className;
    RegisterClassExW(&windowClass);
  }
  const RECT& place = creation.place;
  HWND made = CreateWindowExW(creation.exStyle, creation.className, creation.title, creation.style, place.left,
                              place.top, place.right, place.bottom, creation.parent, nullptr, creation.instance, this);
  if (!made) {
    const DWORD code = GetLastError();
    throw Error(sys::SystemErrorText(win32::Win32SystemInfo(), code, u""));
  }
}

LRESULT WindowBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT WindowBase::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return Guarded<LRESULT>(window, 0, [&] { return self->OnMessage(message, wParam, lParam); });
}

bool WindowBase::EndsOrHides(UINT message, bool mainWindow) {
  if (message == WM_CLOSE && !mainWindow) {
    ShowWindow(window_, SW_HIDE);
    return true;
  }
  if (message == WM_DESTROY) {
    if (mainWindow) PostQuitMessage(0);
    return true;
  }
  return false;
}

void RunModalLoop(HWND owner, HWND window, const std::function<bool()>& ended) {
  const bool closeOwner = owner && IsWindowEnabled(owner);
  if (closeOwner) EnableWindow(owner, FALSE);
  MSG message{};
  while (!ended()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    DispatchWithDialogKeys(message);
  }
  // The owner takes input again before the window hides, so that the system
  // hands the activation back to it rather than to another program.
  if (closeOwner) EnableWindow(owner, TRUE);
  const bool wasActive = GetActiveWindow() == window;
  ShowWindow(window, SW_HIDE);
  // A window that hid itself while the owner was still disabled has left
  // the thread with no active window: the owner takes it back.
  if (owner && (wasActive || GetActiveWindow() == nullptr)) SetActiveWindow(owner);
}

void DispatchWithDialogKeys(MSG& message) {
  if (IsDialogMessageW(GetAncestor(message.hwnd, GA_ROOT), &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void CentreWindow(HWND window, HWND over) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(over ? over : window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  RECT centre = work;
  if (over) GetWindowRect(over, &centre);
  RECT own{};
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  int x = centre.left + ((centre.right - centre.left) - width) / 2;
  int y = centre.top + ((centre.bottom - centre.top) - height) / 2;
  // A window larger than the work area keeps its top left corner (and caption) on it.
  x = std::max<int>(work.left, std::min<int>(x, work.right - width));
  y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ustring ControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  return win32::U(text.c_str(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void SetControlText(HWND control, const ustring& text) {
  if (ControlText(control) != text) SetWindowTextW(control, win32::W(text));
}

}  // namespace prn::ui
