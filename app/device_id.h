#pragma once
// Fields of an IEEE 1284 device ID ("MFG:Quillon;MDL:QX1;").

#include "text/ustring.h"

namespace prn {

// The text after the first "key:" (exact case, also inside a longer key) up to
// the next ";" or the end; empty when the key is missing.
ustring GetDeviceIdValue(ustring_view text, ustring_view key);

}  // namespace prn
