#pragma once
// Installs a driver and creates its print queue in one step through the
// system printer UI (rundll32 printui.dll,PrintUIEntry /if), then finds the
// new queue by comparing the printer lists before and after: keep the names
// of the model, then drop the ones that were there before.

#include <cstdint>

#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::install {

// The command as it is traced: "rundll32 printui.dll,PrintUIEntry /if /b …".
// `program` replaces "rundll32" in the command that is really run.
ustring PrintUiAddPrinterCommand(ustring_view program, const ustring& printerName, const ustring& infPath,
                                 const ustring& port);

// 0 with `newPrinter` set when exactly one printer whose name begins with
// `printerName` appeared; UIAddPrinterFailed when the command could not run,
// an argument cannot be quoted safely, or the list did not grow by exactly
// one; UIAddPrinterNoNewPrinter when it grew by one but the new name could
// not be told apart. Uses processes, spooler, system and last error of `platform`.
uint32_t UIAddPrinter(const sys::Platform& platform, const ustring& printerName, const ustring& infPath,
                      const ustring& port, ustring& newPrinter);

}  // namespace prn::install

namespace prn {

// Keeps only the items that begin with `prefix`, in their order. An empty
// prefix keeps nothing.
void FilterByPrefix(StringList& list, ustring_view prefix);

// Removes from `a` every item equal to some item of `b` (duplicates too).
// Nothing happens when either list is empty.
void RemoveListed(StringList& a, const StringList& b);

}  // namespace prn
