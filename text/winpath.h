#pragma once
// Windows path arithmetic on text, without asking the machine.

#include "text/ustring.h"

namespace prn {

// "C:\x" and "\\server\share" are absolute; "x", ".\x" and "\x" are not.
bool IsAbsoluteWindowsPath(ustring_view path);
// Joins with exactly one backslash between the parts.
ustring JoinPath(ustring_view folder, ustring_view name);
// Expands `path` against the folder `current`, resolving "." and "..", as
// GetFullPathNameW does. Forward slashes become backslashes.
ustring FullWindowsPath(ustring_view current, ustring_view path);
// A web address: "http://" or "https://" at its start, in any case. A value
// that merely begins with the four letters "http" is a file name.
bool IsWebLink(ustring_view target);
// The path of `target` relative to the folder `from` (both full paths), with
// ".." where needed; `target` unchanged when the drives differ.
ustring RelativeWindowsPath(ustring_view from, ustring_view target);

}  // namespace prn
