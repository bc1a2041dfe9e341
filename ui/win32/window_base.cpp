#include "ui/win32/window_base.h"

#include "sys/system_queries.h"
#include "sys/win32/system_info.h"
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

}  // namespace prn::ui
