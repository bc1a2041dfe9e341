#pragma once
// Splits a Windows command line into arguments the way programs started by
// CreateProcessW read it (the CommandLineToArgvW rules): the program name up
// to the next quote or blank; then blanks separate, double quotes group,
// 2n backslashes before a quote give n backslashes, 2n+1 give a literal quote.

#include "text/ustring.h"

namespace prn::sim {

StringList SplitCommandLine(ustring_view commandLine);

// The text behind the program name (and the blanks after it), unparsed, as
// rundll32 hands it to the entry it calls.
ustring ArgumentsText(ustring_view commandLine);

}  // namespace prn::sim
