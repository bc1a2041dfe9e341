#include "text/format.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

namespace prn {

namespace {

struct Placeholder {
  bool zeroPad = false;
  bool leftAlign = false;
  int width = 0;
  int precision = -1;
  char16_t conversion = 0;
};

bool IsConversion(char16_t c) {
  switch (c) {
    case u's': case u'd': case u'i': case u'u': case u'x': case u'X': case u'f': case u'c':
      return true;
    default:
      return false;
  }
}

// Parses the placeholder after '%' at `pos`; returns the index after it or npos.
size_t ParsePlaceholder(ustring_view p, size_t pos, Placeholder& ph) {
  size_t i = pos;
  while (i < p.size() && (p[i] == u'0' || p[i] == u'-')) {
    (p[i] == u'0' ? ph.zeroPad : ph.leftAlign) = true;
    ++i;
  }
  while (i < p.size() && p[i] >= u'0' && p[i] <= u'9' && ph.width < 1000) {
    ph.width = ph.width * 10 + (p[i] - u'0');
    ++i;
  }
  if (i < p.size() && p[i] == u'.') {
    ++i;
    ph.precision = 0;
    while (i < p.size() && p[i] >= u'0' && p[i] <= u'9' && ph.precision < 1000) {
      ph.precision = ph.precision * 10 + (p[i] - u'0');
      ++i;
    }
  }
  if (i < p.size() && IsConversion(p[i])) {
    ph.conversion = p[i];
    return i + 1;
  }
  return ustring_view::npos;
}

long long AsInteger(const FormatArg* arg) {
  if (!arg) return 0;
  const auto& v = arg->Value();
  if (auto* n = std::get_if<long long>(&v)) return *n;
  if (auto* d = std::get_if<double>(&v)) {
    // Beyond the range of a long long the conversion would be undefined: the
    // ends of the range stand for such values, and a value that is no number is 0.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (*d != *d) return 0;
    if (*d >= kTwoTo63) return std::numeric_limits<long long>::max();
    if (*d < -kTwoTo63) return std::numeric_limits<long long>::min();
    return static_cast<long long>(*d);
  }
  return 0;
}

ustring Digits(unsigned long long value, int base, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  ustring out;
  do {
    out.insert(out.begin(), static_cast<char16_t>(digits[value % base]));
    value /= base;
  } while (value);
  return out;
}

// "%.Nf" of a double, never cut: the buffer holds the largest double in fixed
// notation (309 digits), the point, 30 decimals and a sign.
std::string PrintFixed(double value, int precision) {
  char buf[400];
#ifdef _WIN32
  // The system C runtime's printf: mingw's own would bring its whole
  // formatter into every shipped binary for this one placeholder.
  int written = _snprintf(buf, sizeof buf - 1, "%.*f", precision, value);
  buf[written < 0 ? 0 : written] = '\0';
#else
  std::snprintf(buf, sizeof buf, "%.*f", precision, value);
#endif
  return buf;
}

ustring Render(const Placeholder& ph, const FormatArg* arg) {
  if (!arg) return {};  // a placeholder without an argument renders empty
  const auto& v = arg->Value();
  ustring body;
  bool negative = false;
  switch (ph.conversion) {
    case u's':
      if (auto* s = std::get_if<ustring>(&v)) {
        body = ph.precision >= 0 && static_cast<size_t>(ph.precision) < s->size()
                   ? s->substr(0, ph.precision)
                   : *s;
      } else if (auto* n = std::get_if<long long>(&v)) {
        body = ToDecimal(*n);
      } else {
        body = FromAscii(PrintFixed(std::get<double>(v), 6));
      }
      break;
    case u'c':
      if (auto* s = std::get_if<ustring>(&v)) {
        body = s->substr(0, 1);
      } else {
        body.push_back(static_cast<char16_t>(AsInteger(arg)));
      }
      break;
    case u'f': {
      double d = 0;
      if (auto* dd = std::get_if<double>(&v)) d = *dd;
      else d = static_cast<double>(AsInteger(arg));
      std::string s = PrintFixed(d, ph.precision < 0 ? 6 : std::min(ph.precision, 30));
      if (!s.empty() && s[0] == '-') {
        negative = true;
        s.erase(0, 1);
      }
      body = FromAscii(s);
      break;
    }
    default: {
      if (std::holds_alternative<ustring>(v)) return std::get<ustring>(v);
      long long n = AsInteger(arg);
      unsigned long long magnitude;
      if (ph.conversion == u'd' || ph.conversion == u'i') {
        negative = n < 0;
        magnitude = negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
        body = Digits(magnitude, 10, false);
      } else {
        // %u and %x show the value as a 32-bit unsigned number when it fits one.
        magnitude = (n < 0 && n >= INT32_MIN) ? static_cast<uint32_t>(n) : static_cast<unsigned long long>(n);
        body = Digits(magnitude, ph.conversion == u'u' ? 10 : 16, ph.conversion == u'X');
      }
      if (ph.precision >= 0 && body.size() < static_cast<size_t>(ph.precision)) {
        body.insert(0, ph.precision - body.size(), u'0');
      }
    }
  }
  size_t signWidth = negative ? 1 : 0;
  if (static_cast<size_t>(ph.width) > body.size() + signWidth) {
    size_t fill = ph.width - body.size() - signWidth;
    if (ph.leftAlign) {
      body = (negative ? u"-" : u"") + body + ustring(fill, u' ');
      return body;
    }
    bool zeros = ph.zeroPad && ph.conversion != u's' && ph.conversion != u'c';
    if (zeros) return (negative ? u"-" : u"") + ustring(fill, u'0') + body;
    return ustring(fill, u' ') + (negative ? u"-" : u"") + body;
  }
  return (negative ? u"-" : u"") + body;
}

}  // namespace

ustring Format(ustring_view pattern, std::initializer_list<FormatArg> args) {
  ustring out;
  out.reserve(pattern.size() + 16);
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char16_t c = pattern[i];
    if (c != u'%') {
      out.push_back(c);
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == u'%') {
      out.push_back(u'%');
      ++i;
      continue;
    }
    Placeholder ph;
    size_t end = ParsePlaceholder(pattern, i + 1, ph);
    if (end == ustring_view::npos) {
      out.push_back(c);  // not a placeholder: copied literally
      continue;
    }
    const FormatArg* arg = next < args.size() ? args.begin() + next : nullptr;
    ++next;
    out += Render(ph, arg);
    i = end - 1;
  }
  return out;
}

StringList PatternPlaceholders(ustring_view pattern) {
  StringList found;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != u'%') continue;
    if (i + 1 < pattern.size() && pattern[i + 1] == u'%') {
      ++i;
      continue;
    }
    Placeholder ph;
    const size_t end = ParsePlaceholder(pattern, i + 1, ph);
    if (end == ustring_view::npos) {
      found.emplace_back();
      continue;
    }
    found.emplace_back(pattern.substr(i + 1, end - i - 1));
    i = end - 1;
  }
  return found;
}

int CountPlaceholders(ustring_view pattern) {
  const StringList found = PatternPlaceholders(pattern);
  return static_cast<int>(std::count_if(found.begin(), found.end(), [](const ustring& p) { return !p.empty(); }));
}

}  // namespace prn
