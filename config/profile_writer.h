#pragma once
// Writing one key of a profile (INI) file the way WritePrivateProfileStringW
// does: the key's line is replaced when its section has it, otherwise added
// at the end of the section, and a missing section is added at the end of
// the file; every other line stays as it was.

#include <cstdint>

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}  // namespace prn::sys

namespace prn::config {

// The profile text with `key` of `section` set to `value` (names compared
// without regard to case; the first occurrence counts). Lines end in CR LF.
ustring SetProfileString(ustring_view text, ustring_view section, ustring_view key, ustring_view value);

// Sets the key in the file, creating the file when it is missing. The file
// keeps its encoding when it has a byte-order mark (UTF-16LE, UTF-8);
// otherwise, and for a new file, it is written in the ANSI code page.
uint32_t WriteProfileString(sys::FileSystem& files, const sys::CodePage& ansi, const ustring& path,
                            ustring_view section, ustring_view key, ustring_view value);

}  // namespace prn::config
