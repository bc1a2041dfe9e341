#pragma once
// The printer list's images, drawn for the window's DPI: a printer, marked
// for the default printer, for a printer of another computer, and dimmed
// with a red mark when it works offline (the indices of ui/printer_rows.h).

#include "ui/win32/gdi_owners.h"

namespace prn::ui {

ImageList CreatePrinterImages(int dpi);

}  // namespace prn::ui
