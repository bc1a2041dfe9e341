#pragma once
// The user's default printer and driver deletion, through the wide entry
// points so that a name outside the ANSI code page is not corrupted.

#include <cstdint>

#include "sys/spooler.h"
#include "text/ustring.h"

namespace prn::spooler {

// False with an empty name when there is no default printer (last error 2).
bool GetDefaultPrinterName(sys::Spooler& spooler, ustring& name);
bool SetDefaultPrinterName(sys::Spooler& spooler, const ustring& name);

// Passes its five arguments to the spooler unchanged; empty server and
// environment mean the local machine and the current environment.
bool DeletePrinterDriverExW(sys::Spooler& spooler, const ustring& server, const ustring& environment,
                            const ustring& driverName, uint32_t deleteFlag, uint32_t versionFlag);

}  // namespace prn::spooler
