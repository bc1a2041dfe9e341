#pragma once
// The one way a printer's settings change: open the printer, keep the public
// part of its device mode, reopen it with full access and that device mode,
// read its level-2 record, apply the change and write the record back.

#include <functional>

#include "sys/spooler.h"
#include "text/ustring.h"

namespace prn::spooler {

// The change is applied to the freshly read record; the open handle is
// offered for further questions (its device mode, for instance).
using PrinterChange = std::function<void(sys::PRINTER_INFO_2W& info, sys::Printer& handle)>;

// The success of the final SetPrinterW; false when an open or read fails.
bool UpdatePrinter(sys::Spooler& spooler, const ustring& printerName, const PrinterChange& change);

// The device mode handed to the second open: the 220 public bytes, saying so.
sys::DEVMODEW PublicDevModeCopy(const sys::DeviceMode& deviceMode);

}  // namespace prn::spooler
