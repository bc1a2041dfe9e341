#pragma once
// Enter in a window that is not a dialog. The dialog manager sends such a
// window IDOK wherever the focus is; a user expects a focused push button to
// press itself and Enter elsewhere to press the window's default button. The
// default look follows the focus as it does in a dialog. The window's push
// buttons carry BS_NOTIFY so that their focus changes reach it.

#include <windows.h>

namespace prn::ui {

class EnterKey {
 public:
  // `defaultId` 0: the window has no default button.
  EnterKey(HWND window, int defaultId) : window_(window), defaultId_(defaultId) {}

  // The button Enter presses now (nullptr: none): the focused push button,
  // else the default button; a disabled or hidden one presses nothing.
  HWND Target() const;
  // WM_COMMAND from a push button with BN_SETFOCUS or BN_KILLFOCUS.
  void OnFocusChange(HWND button, int code);

 private:
  HWND window_;
  int defaultId_;
};

// Sends the window the click of `button`, as a mouse click would.
void PressButton(HWND window, HWND button);

}  // namespace prn::ui
