#pragma once
// Windows command lines as the programs started by CreateProcessW read them
// (the CommandLineToArgvW rules, which the 64-bit host parses its own command
// line with): the program name up to the next quote or blank; then blanks
// separate, double quotes group, 2n backslashes before a quote give n
// backslashes, 2n+1 give a literal quote.

#include "text/ustring.h"

namespace prn {

StringList SplitCommandLine(ustring_view commandLine);

// The text behind the program name (and the blanks after it), unparsed, as
// rundll32 hands it to the entry it calls.
ustring ArgumentsText(ustring_view commandLine);

// `value` in double quotes, its backslashes before the closing quote doubled,
// so that SplitCommandLine reads it back as one argument equal to `value`.
// A value holding a double quote or a zero cannot be passed that way: empty.
ustring QuoteArgument(ustring_view value);

}  // namespace prn
