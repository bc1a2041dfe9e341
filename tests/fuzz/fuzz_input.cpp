#include "fuzz_input.h"

#include <cstdlib>

namespace prn::fuzz {

sim::Machine& FuzzMachine() {
  static sim::Machine* machine = [] {
    auto* m = new sim::Machine;
    m->files.Mount(u"P:", std::filesystem::path(PRN_SOURCE_DIR) / "examples" / "package");
    if (m->files.CreateDirectories(kFuzzFolder) != 0) std::abort();
    return m;
  }();
  return *machine;
}

ustring Utf16Units(const uint8_t* data, size_t size) {
  ustring text;
  text.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  return text;
}

std::pair<std::string, std::string> TwoParts(const uint8_t* data, size_t size) {
  std::string all(reinterpret_cast<const char*>(data), size);
  static const std::string kCut = "\n----\n";
  size_t cut = all.find(kCut);
  if (cut == std::string::npos) return {all, all};
  return {all.substr(0, cut), all.substr(cut + kCut.size())};
}

uint8_t Fields::Byte() { return at_ < size_ ? data_[at_++] : 0; }

uint64_t Fields::Number64() {
  uint64_t number = 0;
  for (int i = 0; i < 8; ++i) number |= static_cast<uint64_t>(Byte()) << (8 * i);
  return number;
}

ustring Fields::Text() {
  const size_t units = Byte();
  ustring text;
  for (size_t i = 0; i < units && at_ + 1 < size_; ++i, at_ += 2) {
    text.push_back(static_cast<char16_t>(data_[at_] | (data_[at_ + 1] << 8)));
  }
  return text;
}

}  // namespace prn::fuzz
