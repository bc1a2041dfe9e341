#include "text/decimal.h"

#include <limits>

namespace prn {

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
