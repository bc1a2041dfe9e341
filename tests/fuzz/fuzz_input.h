#pragma once
// Helpers the fuzz targets share: one simulated machine per process and the
// ways a target cuts its input.

#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/machine.h"
#include "text/ustring.h"

namespace prn::fuzz {

// The folder where targets write the files they read back.
inline constexpr char16_t kFuzzFolder[] = u"C:\\Fuzz";

// The simulated machine of this process, with the example package on P:
// and kFuzzFolder made.
sim::Machine& FuzzMachine();

// The bytes as UTF-16LE code units (an odd last byte is dropped).
ustring Utf16Units(const uint8_t* data, size_t size);

// The input cut at the first "\n----\n" line into two parts; without one,
// both parts are the whole input.
std::pair<std::string, std::string> TwoParts(const uint8_t* data, size_t size);

// Reads the input as a row of values from its start: each Text is a length
// byte and that many UTF-16LE code units (any unit, zero and quotes
// included), each number its bytes; what the input lacks reads as empty or 0.
class Fields {
 public:
  Fields(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  ustring Text();
  uint64_t Number64();
  uint8_t Byte();

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace prn::fuzz
