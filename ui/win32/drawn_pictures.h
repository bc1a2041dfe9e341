#pragma once
// The pictures the program draws itself with GDI, for the window's DPI, so
// that nothing is scaled jaggedly: the printers of the manager's list (the
// indices of ui/printer_rows.h: marked for the default printer, for a printer
// of another computer, and dimmed with a red mark when it works offline), the
// models' printer picture of the installer's list, the glyphs of its buttons,
// and the five pictures of the welcome window (a printer, a printed page, a
// computer, a gear and a tick, each on its own soft colour).

#include <windows.h>

#include "ui/win32/gdi_owners.h"

namespace prn::ui {

// The manager's printer list: 16 × 16 units, every index of printer_image.
ImageList CreatePrinterImages(int dpi);
// ilPrinter: one 32 × 32 printer picture, image 0 of every model.
ImageList CreateModelImages(int dpi);

enum class ButtonGlyph { Install, Exit, Manager };
// One 16 × 16 glyph, image 0, for a push button's image list.
ImageList CreateButtonGlyph(ButtonGlyph glyph, int dpi);
// The glyph beside the button's text, on its left.
void ShowButtonGlyph(HWND button, HIMAGELIST glyph, int dpi);

constexpr int kWelcomePictures = 5;
// Welcome picture `index` (0 to 4) filling `box`, which is 100 × 72 at 96 dpi.
void DrawWelcomePicture(HDC dc, const RECT& box, int index);

}  // namespace prn::ui
