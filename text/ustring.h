#pragma once
// UTF-16 text, the one string type of the installer's logic.

#include <string>
#include <string_view>
#include <vector>

namespace prn {

using ustring = std::u16string;
using ustring_view = std::u16string_view;
using StringList = std::vector<ustring>;

ustring FromUtf8(std::string_view utf8);
std::string ToUtf8(ustring_view text);

// Widens plain ASCII (literals, numbers) without any code page.
ustring FromAscii(std::string_view ascii);

// Decimal text of a number.
ustring ToDecimal(long long value);

// Joins with a separator (used for list texts in traces).
ustring Join(const StringList& items, ustring_view separator);

// The file-name part of a Windows path (after the last '\' or '/').
ustring FileNamePart(ustring_view path);
// The folder part of a Windows path, without trailing backslash.
ustring FolderPart(ustring_view path);
// Removes blanks (space, tab, CR, LF) at both ends.
ustring Trim(ustring_view text);

}  // namespace prn
