#include "ui/win32/modal_loop.h"

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
    if (IsDialogMessageW(GetAncestor(message.hwnd, GA_ROOT), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
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

void CentreWindow(HWND window, HWND over) {
  RECT area{};
  if (!over || !GetWindowRect(over, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT own{};
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int x = area.left + ((area.right - area.left) - width) / 2;
  const int y = area.top + ((area.bottom - area.top) - height) / 2;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace prn::ui
