#pragma once
// A window shown modally over its owner without a dialog template: the owner
// is closed to input, the window's own message loop runs until `ended`
// answers true, then the owner takes input and the activation back.

#include <windows.h>

#include <functional>

namespace prn::ui {

// `window` is shown by the caller (or by `ended`'s first messages) and is
// hidden here once the loop ends. A WM_QUIT met on the way ends the loop and
// is posted again for the outer loop.
void RunModalLoop(HWND owner, HWND window, const std::function<bool()>& ended);

// One message of a loop: Tab, Enter and Esc go to the dialog manager of the
// top-level window they were typed in, everything else is dispatched.
void DispatchWithDialogKeys(MSG& message);

// Places `window` centred on `over`, or on the work area of its monitor when
// `over` is null, and keeps it inside that monitor's work area.
void CentreWindow(HWND window, HWND over);

}  // namespace prn::ui
