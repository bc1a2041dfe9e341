#pragma once
// Reading a number from the start of a text as the C run-time's wcstol does
// with base 10 and a 32-bit long: leading white space and a sign allowed,
// reading stops at the first other character, 0 when there is no digit, and
// values beyond the range clamp to its ends.

#include <cstdint>

#include "text/ustring.h"

namespace prn {

int32_t ParseLeadingDecimal(ustring_view text);

}  // namespace prn
