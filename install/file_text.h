#pragma once
// The text of a file as Windows text readers take it: the encoding its
// byte-order mark announces, else the system's ANSI code page.

#include <cstdint>
#include <string>

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}

namespace prn::install {

ustring DecodeByByteOrderMark(const std::string& bytes, const sys::CodePage& ansi);

// The file's text; raises prn::Error naming the file when it cannot be read.
ustring ReadFileText(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& path);

// Number of UTF-16 characters of the file's text, the mark not counted.
int64_t TextLength(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& path);

// The text split into lines at CR LF, CR or LF.
StringList SplitLines(ustring_view text);

}  // namespace prn::install
