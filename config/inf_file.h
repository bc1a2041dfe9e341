#pragma once
// An INF file read by the INF syntax rules, which differ from a profile
// file's: ';' starts a comment anywhere outside double quotes; a backslash
// at the end of a line continues it on the next; sections of the same name
// (in any case) are one section; a value is a comma list whose double-quoted
// parts keep their blanks and commas ("" inside quotes is one quote); and
// %strkey% stands for the key's text in [Strings.LLLL] of the system
// language, else in [Strings], while %% is a percent sign.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}  // namespace prn::sys

namespace prn::config {

struct InfLine {
  int number = 0;       // the line's first physical line, counted from 1
  bool hasKey = false;  // an '=' outside quotes divides key and values
  ustring key;          // unquoted, strings resolved
  StringList values;    // the comma list after the '=' (the whole line without one)
};

class InfFile {
 public:
  // `languageId` chooses the language-specific strings section: 0x0804
  // reads [Strings.0804] before [Strings].
  static InfFile Parse(const std::string& bytes, const sys::CodePage& ansi, uint16_t languageId);
  // Nothing when the file cannot be read.
  static std::optional<InfFile> Load(const sys::FileSystem& files, const ustring& path, const sys::CodePage& ansi,
                                     uint16_t languageId);

  // The lines of a section in file order; nullptr when there is no such section.
  const std::vector<InfLine>* Section(ustring_view name) const;
  // The first line of the section with that key.
  const InfLine* Find(ustring_view section, ustring_view key) const;
  // The first value of that line; nothing when the key is absent.
  std::optional<ustring> Value(ustring_view section, ustring_view key) const;

 private:
  std::map<ustring, std::vector<InfLine>> sections_;  // by upper-case name
};

}  // namespace prn::config
