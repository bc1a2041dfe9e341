#pragma once
// ASCII text rules of the installer: case-insensitive means ASCII a-z only,
// everywhere, and a number is read as the C run-time reads it.

#include <cstdint>
#include <string>
#include <string_view>

#include "text/ustring.h"

namespace prn {

constexpr char16_t AsciiUpper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}
constexpr char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

ustring AsciiUpper(ustring_view text);
std::string AsciiUpper(std::string_view text);

bool EqualsNoCase(ustring_view a, ustring_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(ustring_view text, ustring_view prefix);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// Position of the first case-insensitive occurrence, or npos.
size_t FindNoCase(ustring_view text, ustring_view needle, size_t from = 0);
bool ContainsNoCase(ustring_view text, ustring_view needle);

// Reading a number from the start of a text as the C run-time's wcstol does
// with base 10 and a 32-bit long: leading white space and a sign allowed,
// reading stops at the first other character, 0 when there is no digit, and
// values beyond the range clamp to its ends.
int32_t ParseLeadingDecimal(ustring_view text);

}  // namespace prn
