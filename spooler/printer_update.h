#pragma once
// Changes to what the spooler holds. A printer's settings change one way: open
// the printer, keep the public part of its device mode, reopen it with full
// access and that device mode, read its level-2 record, apply the change and
// write the record back. The default printer and driver deletion go through
// the wide entry points, so that a name outside the ANSI code page is not
// corrupted. The LPT1 queue is a print queue for a driver on "LPT1:" with a
// fixed A4 device mode.

#include <cstdint>
#include <functional>

#include "sys/spooler.h"
#include "text/ustring.h"

namespace prn::sys {
class LastError;
}  // namespace prn::sys

namespace prn::spooler {

// The change is applied to the freshly read record; the open handle is
// offered for further questions (its device mode, for instance).
using PrinterChange = std::function<void(sys::PRINTER_INFO_2W& info, sys::Printer& handle)>;

// The success of the final SetPrinterW; false when an open or read fails.
bool UpdatePrinter(sys::Spooler& spooler, const ustring& printerName, const PrinterChange& change);

// The device mode handed to the second open: the 220 public bytes, saying so.
sys::DEVMODEW PublicDevModeCopy(const sys::DeviceMode& deviceMode);

// False with an empty name when there is no default printer (last error 2).
bool GetDefaultPrinterName(sys::Spooler& spooler, ustring& name);
bool SetDefaultPrinterName(sys::Spooler& spooler, const ustring& name);

// Passes its five arguments to the spooler unchanged; empty server and
// environment mean the local machine and the current environment.
bool DeletePrinterDriverExW(sys::Spooler& spooler, const ustring& server, const ustring& environment,
                            const ustring& driverName, uint32_t deleteFlag, uint32_t versionFlag);

// False at once when a name is empty (ERROR_INVALID_PARAMETER); otherwise the
// spooler's answer.
bool AddPrinterOnLpt1(sys::Spooler& spooler, sys::LastError& lastError, const ustring& driverName,
                      const ustring& printerName);

// The record AddPrinterOnLpt1 hands to the spooler: the full printer name,
// and in dmDeviceName as much of it as the field holds.
sys::PRINTER_INFO_2W Lpt1PrinterInfo(const ustring& driverName, const ustring& printerName);

}  // namespace prn::spooler
