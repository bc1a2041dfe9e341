#pragma once
// A print queue for a driver on "LPT1:" with a fixed A4 device mode.

#include "sys/spooler.h"
#include "text/ustring.h"

namespace prn::sys {
class LastError;
}

namespace prn::spooler {

// False at once when a name is empty (ERROR_INVALID_PARAMETER); otherwise the
// spooler's answer.
bool AddPrinterOnLpt1(sys::Spooler& spooler, sys::LastError& lastError, const ustring& driverName,
                      const ustring& printerName);

// The record AddPrinterOnLpt1 hands to the spooler: the full printer name,
// and in dmDeviceName as much of it as the field holds.
sys::PRINTER_INFO_2W Lpt1PrinterInfo(const ustring& driverName, const ustring& printerName);

}  // namespace prn::spooler
