#pragma once
// The spooler environment of the drivers the installer installs and removes.
// On 64-bit Windows the system's printers use "Windows x64" drivers, while a
// 32-bit program's own environment is "Windows NT x86": queries and deletions
// there must name the 64-bit environment, or they look at the wrong drivers.

#include "text/ustring.h"

namespace prn::spooler {

// "Windows x64" on 64-bit Windows (the installer runs under WOW64), else
// empty: the caller's own environment.
ustring DriverEnvironment(bool wow64);

// The printer UI's /h value for the same drivers: "x64" or "intel".
ustring PrintUiArchitecture(bool wow64);

}  // namespace prn::spooler
