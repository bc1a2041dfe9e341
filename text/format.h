#pragma once
// Printf-style formatting that is safe for texts read from data files: the
// pattern is data, never code. A placeholder without an argument renders
// empty, surplus arguments are ignored, and nothing reads past the list.
//
// Understood: %s %d %i %u %x %X %f %c %% with the flags '0' and '-', a width
// and a precision (%.8x, %08X, %.3d, %.2f). Anything else is copied as is.

#include <cstdint>
#include <initializer_list>
#include <variant>

#include "text/ustring.h"

namespace prn {

class FormatArg {
 public:
  FormatArg(ustring_view text) : value_(ustring(text)) {}
  FormatArg(const ustring& text) : value_(text) {}
  FormatArg(const char16_t* text) : value_(ustring(text ? text : u"")) {}
  FormatArg(int value) : value_(static_cast<long long>(value)) {}
  FormatArg(long value) : value_(static_cast<long long>(value)) {}
  FormatArg(long long value) : value_(value) {}
  FormatArg(unsigned value) : value_(static_cast<long long>(value)) {}
  FormatArg(unsigned long value) : value_(static_cast<long long>(value)) {}
  FormatArg(unsigned long long value) : value_(static_cast<long long>(value)) {}
  FormatArg(double value) : value_(value) {}

  const std::variant<ustring, long long, double>& Value() const { return value_; }

 private:
  std::variant<ustring, long long, double> value_;
};

ustring Format(ustring_view pattern, std::initializer_list<FormatArg> args);

// Counts the placeholders that consume an argument ("%%" does not).
int CountPlaceholders(ustring_view pattern);

// The placeholders as Format reads them, in order, each as written after
// its '%' (".8x", "s"); a '%' that begins none, and is no "%%", is copied
// literally and listed as an empty entry.
StringList PatternPlaceholders(ustring_view pattern);

}  // namespace prn
