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

// Places `window` centred on `over` (the work area of the screen when null).
void CentreWindow(HWND window, HWND over);

}  // namespace prn::ui
