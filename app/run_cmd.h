#pragma once
// Runs a command line hidden, waits until its process has ended and collects
// what it wrote to its standard output.

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
