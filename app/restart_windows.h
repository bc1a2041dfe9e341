#pragma once
// Enabling a privilege of this process and asking Windows to restart.

#include "sys/platform.h"
#include "text/ustring.h"

namespace prn {

// Enables (or disables) a privilege of the process token. False without access
// tokens. Any failure (the token does not open, no such privilege, the token
// lacks it) raises prn::Error with the system's text for the error code.
// Uses privileges, last error and system of `platform`.
bool EnablePrivilege(const sys::Platform& platform, const ustring& name, bool enable);

// Enables SeShutdownPrivilege and, when that worked, asks Windows to restart
// (forcing hung programs). True when Windows accepted; the caller then ends
// the program.
bool RestartWindows(const sys::Platform& platform);

}  // namespace prn
