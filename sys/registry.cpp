#include "sys/registry.h"

namespace prn::sys {

RegistryValue RegistryValue::String(ustring_view text) {
  RegistryValue value;
  value.type = regtype::String;
  for (char16_t c : text) {
    value.data.push_back(static_cast<char>(c & 0xFF));
    value.data.push_back(static_cast<char>(c >> 8));
  }
  value.data.append(2, '\0');
  return value;
}

RegistryValue RegistryValue::Dword(uint32_t number) {
  RegistryValue value;
  value.type = regtype::Dword;
  for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<char>((number >> shift) & 0xFF));
  return value;
}

std::optional<ustring> RegistryValue::Text() const {
  if (type != regtype::String && type != regtype::ExpandString) return std::nullopt;
  ustring text;
  for (size_t i = 0; i + 1 < data.size(); i += 2) {
    auto c = static_cast<char16_t>(static_cast<unsigned char>(data[i]) |
                                   (static_cast<unsigned char>(data[i + 1]) << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

std::optional<uint32_t> RegistryValue::Number() const {
  if (type != regtype::Dword || data.size() < 4) return std::nullopt;
  uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(data[i]);
  return number;
}

}  // namespace prn::sys
