#include "text/ascii.h"

#include <limits>

namespace prn {

namespace {
template <typename Char>
bool EqualsNoCaseT(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}
}  // namespace

ustring AsciiUpper(ustring_view text) {
  ustring out(text);
  for (auto& c : out) c = AsciiUpper(c);
  return out;
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (auto& c : out) c = AsciiUpper(c);
  return out;
}

bool EqualsNoCase(ustring_view a, ustring_view b) { return EqualsNoCaseT(a, b); }
bool EqualsNoCase(std::string_view a, std::string_view b) { return EqualsNoCaseT(a, b); }

bool StartsWithNoCase(ustring_view text, ustring_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

size_t FindNoCase(ustring_view text, ustring_view needle, size_t from) {
  if (needle.empty()) return from <= text.size() ? from : ustring_view::npos;
  for (size_t i = from; i + needle.size() <= text.size(); ++i) {
    if (EqualsNoCase(text.substr(i, needle.size()), needle)) return i;
  }
  return ustring_view::npos;
}

bool ContainsNoCase(ustring_view text, ustring_view needle) {
  return FindNoCase(text, needle) != ustring_view::npos;
}

namespace {
bool IsCrtSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
}  // namespace

int32_t ParseLeadingDecimal(ustring_view text) {
  size_t i = 0;
  while (i < text.size() && IsCrtSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min(value * 10 + (text[i] - u'0'), limit);
  }
  return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace prn
