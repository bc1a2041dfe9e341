// The "Ret" value of the host's result file: whatever text is there reads as
// a code, and every code the host writes reads back as itself.

#include <cstdlib>

#include "fuzz_input.h"
#include "install/detection_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  fuzz::Fields fields(data, size);
  const auto written = static_cast<uint32_t>(fields.Number64());
  // The host writes the 32-bit code as an unsigned decimal number.
  if (install::ParseRetValue(ToDecimal(static_cast<long long>(written))) != written) std::abort();
  (void)install::ParseRetValue(fields.Text());
  return 0;
}
