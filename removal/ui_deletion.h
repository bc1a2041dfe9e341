#pragma once
// Deleting a printer or a driver through the system printer UI
// (rundll32 printui.dll,PrintUIEntry, quietly). Success is judged by asking
// the spooler afterwards, not by the command's own exit.

#include "removal/removal_context.h"
#include "text/ustring.h"

namespace prn::removal {

// The command lines with `program` standing for "rundll32"; /h names the
// drivers of 64-bit Windows when the installer runs under WOW64.
ustring PrintUiDeletePrinterCommand(ustring_view program, const ustring& printerName, bool wow64);
ustring PrintUiDeleteDriverCommand(ustring_view program, const ustring& driverName, bool wow64);

// `deletedName` is the printer's name when it is gone afterwards, else empty.
void UIDeletePrinter(const RemovalContext& context, const ustring& printerName, ustring& deletedName);

// `deletedName` is the driver's name when it is gone afterwards, else empty.
// Then, with a non-empty uninstall key name, its uninstall traces go too.
void UIDeletePrinterDriver(const RemovalContext& context, const ustring& driverName,
                           const ustring& uninstallKeyName, ustring& deletedName);

}  // namespace prn::removal
