// The safe formatter with a pattern from a data file (a language file's
// text): any pattern, with none to three arguments of each kind, renders
// without reading past the arguments or the pattern.

#include "fuzz_input.h"
#include "text/format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  const uint8_t pick = size ? data[0] : 0;
  const ustring pattern = fuzz::Utf16Units(data + (size ? 1 : 0), size ? size - 1 : 0);
  switch (pick % 4) {
    case 0: (void)Format(pattern, {}); break;
    case 1: (void)Format(pattern, {u"text"}); break;
    case 2: (void)Format(pattern, {-2147483647 - 1, 4294967295ull}); break;
    default: (void)Format(pattern, {1.0e308, -0.5, u"x"}); break;
  }
  (void)CountPlaceholders(pattern);
  return 0;
}
