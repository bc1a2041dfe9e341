#include "trace/trace_destination.h"

#include <cstdlib>

namespace prn::trace {

// The tools and tests on Linux run with the user's own rights: the file the
// variable names is theirs to choose.
std::FILE* OpenTraceDestination() {
  const char* path = std::getenv("PRNSETUP_TRACE");
  return path && *path ? std::fopen(path, "ab") : nullptr;
}

}  // namespace prn::trace
