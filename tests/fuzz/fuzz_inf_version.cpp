// Two INF files compared by their DriverVer lines, as staging compares the
// package's INF with the staged copy.

#include <cstdlib>

#include "fuzz_input.h"
#include "install/driver_ver.h"
#include "text/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  sim::Machine& machine = fuzz::FuzzMachine();
  const ustring firstInf = ustring(fuzz::kFuzzFolder) + u"\\first.inf";
  const ustring secondInf = ustring(fuzz::kFuzzFolder) + u"\\second.inf";
  auto [first, second] = fuzz::TwoParts(data, size);
  if (machine.files.WriteFile(firstInf, first) != 0 || machine.files.WriteFile(secondInf, second) != 0) {
    std::abort();
  }
  try {
    int32_t order = install::InfCompareVersion(machine.files, machine.codePage, firstInf, secondInf);
    // A file compared with an equal one can only be "the same".
    if (first == second && order != 0) std::abort();
  } catch (const Error&) {
    // An unreadable date is raised with both dates in its text.
  }
  return 0;
}
