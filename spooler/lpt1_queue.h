#pragma once
// A print queue for a driver on "LPT1:" with a fixed A4 device mode.

#include <optional>

#include "sys/spooler.h"
#include "text/ustring.h"

namespace prn::sys {
class LastError;
}

namespace prn::spooler {

// False at once when a name is empty, and when the printer name does not fit
// the device mode's name field (last error ERROR_INVALID_PRINTER_NAME).
bool AddPrinterOnLpt1(sys::Spooler& spooler, sys::LastError& lastError, const ustring& driverName,
                      const ustring& printerName);

// The record AddPrinterOnLpt1 hands to the spooler; nothing when the printer
// name does not fit dmDeviceName.
std::optional<sys::PRINTER_INFO_2W> Lpt1PrinterInfo(const ustring& driverName, const ustring& printerName);

}  // namespace prn::spooler
