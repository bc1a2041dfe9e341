#pragma once
// The GPD file version of an installed driver ("*GPDFileVersion: "1.0.2.8"")
// and whether it is older than the version a package requires.

#include <optional>
#include <vector>

#include "text/ustring.h"

namespace prn::install {

// The version a GPD line carries, when the line starts with the version key:
// up to 10 characters behind the key, ended by a double quote; empty when no
// quote follows within them.
std::optional<ustring> GpdVersionOfLine(ustring_view line);
// The version of the last line of a GPD text that carries one; nothing when
// no line does.
std::optional<ustring> GpdVersionOfText(ustring_view text);

// The numbers of a version text split at dots and blanks; raises prn::Error
// naming the text when a part is not a number.
std::vector<uint32_t> VersionNumbers(ustring_view version);

// True when `installed` is a lower version than `required`: the first part
// that differs decides, missing parts count as 0. An empty installed
// version (no driver found) is never older.
bool IsOlderVersion(ustring_view installed, ustring_view required);

}  // namespace prn::install
