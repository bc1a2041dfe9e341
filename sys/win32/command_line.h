#pragma once
// The parameters of this process's command line.

#include "text/ustring.h"

namespace prn::win32 {

// Split as CommandLineToArgvW splits, without the program's own name.
StringList ProcessParameters();

}  // namespace prn::win32
