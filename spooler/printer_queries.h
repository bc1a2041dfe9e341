#pragma once
// Questions to the spooler about printers, drivers, ports and print jobs. Each
// opens what it needs, asks, closes and answers a plain value; failures are
// answered by the result (false, empty, -1 or 0) and never raised.

#include <cstdint>

#include "sys/spooler.h"
#include "text/ustring.h"

namespace prn::sys {
class LastError;
}

namespace prn::spooler {

// A local printer of that name, compared case-insensitively.
bool PrinterExists(sys::Spooler& spooler, const ustring& printerName);
// An installed driver of `environment` (empty: the caller's own), compared
// case-insensitively.
bool PrinterDriverExists(sys::Spooler& spooler, const ustring& driverName, const ustring& environment = {});
// A port of exactly that name.
bool PortExists(sys::Spooler& spooler, const ustring& portName);

// Fills `list` (when given and when printers exist) with the names of the local
// printers and connections, each cut at " on ". The result is the position of
// the default printer in that list, or -1.
int GetPrinterList(sys::Spooler& spooler, StringList* list);

// The printer's port text as the spooler keeps it (comma-separated when
// pooled); empty when the printer cannot be opened. Clears the last error first.
ustring GetPrinterPort(sys::Spooler& spooler, sys::LastError& lastError, const ustring& printerName);
ustring GetPrinterDriverName(sys::Spooler& spooler, const ustring& printerName);

// The local printer named exactly `printerName`; `driverShared` is true when
// another local printer uses the same driver. The result is the success of the
// enumeration.
bool GetPrinterInfo(sys::Spooler& spooler, const ustring& printerName, sys::PRINTER_INFO_2W& info,
                    bool& driverShared);

// `online` is left as it is when the printer cannot be opened.
bool IsPrinterOnline(sys::Spooler& spooler, const ustring& printerName, bool& online);
bool SetPrinterOnline(sys::Spooler& spooler, const ustring& printerName, bool online);

// The number of jobs of the printer (0 when it cannot be opened or its jobs
// cannot be listed). With a list, the list is replaced by one line per job:
// `prefix` + "document(status text)".
int GetPrinterJobs(sys::Spooler& spooler, const ustring& printerName, StringList* list = nullptr,
                   const ustring& prefix = {});

// The text of a whole job status value ("Paused Printing" for 17, "Status 3" for 3).
ustring JobStatusText(uint32_t status);

}  // namespace prn::spooler
