#pragma once
// A printer's print jobs.

#include <cstdint>

#include "sys/spooler.h"
#include "text/ustring.h"

namespace prn::spooler {

// The number of jobs of the printer (0 when it cannot be opened or its jobs
// cannot be listed). With a list, the list is replaced by one line per job:
// `prefix` + "document(status text)".
int GetPrinterJobs(sys::Spooler& spooler, const ustring& printerName, StringList* list = nullptr,
                   const ustring& prefix = {});

// The text of a whole job status value ("Paused Printing" for 17, "Status 3" for 3).
ustring JobStatusText(uint32_t status);

}  // namespace prn::spooler
