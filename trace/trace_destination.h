#pragma once
// Where the trace goes once PRNSETUP_TRACE turns it on. Each platform has
// its own answer (trace/win32, trace/posix); the trace itself only writes.

#include <cstdio>

namespace prn::trace {

// The file to append the trace to, or null: no trace. Asked once per process.
std::FILE* OpenTraceDestination();

}  // namespace prn::trace
