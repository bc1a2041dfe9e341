// An INF of the system's INF folder (any bytes, in any encoding) read to
// decide whether it is a copy of the driver's INF that removal deletes.

#include <cstdlib>

#include "fuzz_input.h"
#include "removal/uninstall_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  sim::Machine& machine = fuzz::FuzzMachine();
  const ustring inf = ustring(fuzz::kFuzzFolder) + u"\\oem7.inf";
  auto [model, bytes] = fuzz::TwoParts(data, size);
  if (machine.files.WriteFile(inf, bytes) != 0) std::abort();
  (void)removal::InfListsModel(machine.files, machine.codePage, FromUtf8(model.substr(0, 64)), inf, u"Printer");
  return 0;
}
