// A field of an IEEE 1284 device ID as a USB printer reports it (any text):
// the value found is what follows "key:" in the text, up to a ";".

#include <cstdlib>

#include "spooler/usb_ports.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  fuzz::Fields fields(data, size);
  const ustring key = fields.Text();
  const ustring text = fields.Text();
  const ustring value = GetDeviceIdValue(text, key);
  if (value.empty()) return 0;
  if (value.find(u';') != ustring::npos || text.find(key + u":" + value) == ustring::npos) std::abort();
  return 0;
}
