#include "ui/win32/modal_loop.h"

#include <algorithm>

namespace prn::ui {

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

}  // namespace prn::ui
