#pragma once
// A control drawn without visual styles. A themed group box draws its
// caption in the theme's colour whatever WM_CTLCOLORSTATIC asks; unthemed it
// takes the colour the window gives it, so a brand colour holds either way.

#include <windows.h>

namespace prn::ui {

void DrawWithoutVisualStyle(HWND control);

}  // namespace prn::ui
