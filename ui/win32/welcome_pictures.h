#pragma once
// The five pictures of the welcome window, drawn with GDI: a printer, a
// printed page, a computer, a gear and a tick, each on its own soft colour.

#include <windows.h>

namespace prn::ui {

constexpr int kWelcomePictures = 5;

// Picture `index` (0 to 4) filling `box`, which is 100 × 72 at 96 dpi.
void DrawWelcomePicture(HDC dc, const RECT& box, int index);

}  // namespace prn::ui
