#pragma once
// The system printer UI (rundll32 printui.dll,PrintUIEntry) as the installer
// runs it: hidden, waited for, its output collected; with the environment of
// the drivers it adds and deletes, and the one rule for its arguments.

#include <cstdint>

#include "text/ustring.h"

namespace prn::sys {
class Processes;
}

namespace prn {

constexpr int32_t kRunCmdPipeFailed = -1;
constexpr int32_t kRunCmdStartFailed = -2;

// Appends the output to `output`, one string per chunk read (each byte one
// UTF-16 unit, so nothing is lost; nobody interprets it). Answers 1 when
// output came, 0 when the process wrote nothing, -1 when the pipe could not
// be made and -2 when the process did not start (`output` untouched).
// Returns only after the process has ended.
int32_t RunCMD(sys::Processes& processes, const ustring& commandLine, StringList& output);

}  // namespace prn

namespace prn::spooler {

// The spooler environment of the drivers the installer installs and removes.
// On 64-bit Windows the system's printers use "Windows x64" drivers, while a
// 32-bit program's own environment is "Windows NT x86": queries and deletions
// there must name the 64-bit environment, or they look at the wrong drivers.
// "Windows x64" on 64-bit Windows (the installer runs under WOW64), else
// empty: the caller's own environment.
ustring DriverEnvironment(bool wow64);

// The printer UI's /h value for the same drivers: "x64" or "intel".
ustring PrintUiArchitecture(bool wow64);

// True when the argument can be wrapped in double quotes on a command line
// without changing how the line splits: no double quote in it and no
// backslash at its end (which would escape the closing quote).
bool IsQuotableArgument(ustring_view argument);

}  // namespace prn::spooler
