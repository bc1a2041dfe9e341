#pragma once
// Reading and writing a control's text as the logic's UTF-16 text.

#include <windows.h>

#include "text/ustring.h"

namespace prn::ui {

ustring ControlText(HWND control);
void SetControlText(HWND control, const ustring& text);

}  // namespace prn::ui
