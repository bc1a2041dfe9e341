#pragma once
// Giving the user a default printer again after a deletion took it away.

#include "removal/removal_context.h"
#include "text/ustring.h"

namespace prn::removal {

// When the default printer no longer exists, the first listed printer
// becomes the default; `newDefault` is its name, else empty.
void ResetDefaultPrinter(const RemovalContext& context, ustring& newDefault);

}  // namespace prn::removal
