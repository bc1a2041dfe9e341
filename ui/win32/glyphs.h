#pragma once
// Small pictures drawn for the window's DPI, so that nothing is scaled
// jaggedly: the printers of the manager's list (the indices of
// ui/printer_rows.h: marked for the default printer, for a printer of another
// computer, and dimmed with a red mark when it works offline), the models'
// printer picture of the installer's list, and the glyphs of its buttons.

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

}  // namespace prn::ui
