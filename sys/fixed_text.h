#pragma once
// Text in the fixed UTF-16 arrays of platform structures.

#include <algorithm>
#include <cstddef>

#include "text/ustring.h"

namespace prn::sys {

// Copies what fits and keeps the terminator; callers check the length first
// where a cut would change the meaning.
template <size_t N>
void CopyFixedText(char16_t (&target)[N], ustring_view text) {
  std::fill(target, target + N, u'\0');
  std::copy_n(text.begin(), std::min(text.size(), N - 1), target);
}

// The text up to the terminator (or the whole array when there is none).
template <size_t N>
ustring FixedText(const char16_t (&chars)[N]) {
  return ustring(chars, std::find(chars, chars + N, u'\0'));
}

// Characters the array holds besides its terminator.
template <size_t N>
constexpr size_t FixedTextCapacity(const char16_t (&)[N]) {
  return N - 1;
}

}  // namespace prn::sys
