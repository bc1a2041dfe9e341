#pragma once
// A profile (INI) file read with the rules of the system's profile functions:
// UTF-16 with byte-order mark, or BOM-less UTF-8 / ANSI; blanks around names
// and values ignored; one matching pair of quotes removed; ';' comment lines;
// values cut at 2047 characters; section names in file order; names compared
// without regard to case; the first occurrence wins.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}

namespace prn::config {

class ProfileFile {
 public:
  static constexpr size_t kMaxValueLength = 2047;
  static constexpr size_t kSectionNamesBuffer = 16384;

  struct Entry {
    ustring key;
    ustring value;
  };
  struct Section {
    ustring name;
    std::vector<Entry> entries;
  };

  // Parses file bytes; `ansi` decodes a BOM-less file that is not UTF-8.
  static ProfileFile Parse(const std::string& bytes, const sys::CodePage& ansi);
  // Reads and parses a file; nothing when it cannot be read.
  static std::optional<ProfileFile> Load(const sys::FileSystem& files, const ustring& path,
                                         const sys::CodePage& ansi);

  std::vector<ustring> SectionNames() const;
  bool HasSection(ustring_view section) const;
  // The raw value when the key is present (possibly empty), else nothing.
  std::optional<ustring> Find(ustring_view section, ustring_view key) const;
  ustring ReadString(ustring_view section, ustring_view key, ustring_view defaultValue) const;
  int32_t ReadInteger(ustring_view section, ustring_view key, int32_t defaultValue) const;
  bool ReadBool(ustring_view section, ustring_view key, bool defaultValue) const;
  // The entries of a section in file order (keys as written).
  const std::vector<Entry>* Entries(ustring_view section) const;

 private:
  const Section* FindSection(ustring_view name) const;
  std::vector<Section> sections_;
};

// Integer text as the settings file writes it: decimal with an optional sign,
// "$" hexadecimal, or "0x"/"0X" hexadecimal when longer than two characters.
std::optional<int32_t> ParseProfileInteger(ustring_view text);

// Text of a file's bytes by its byte-order mark (UTF-16LE/BE, UTF-8), else
// UTF-8 when the bytes are valid UTF-8, else the ANSI code page.
ustring DecodeText(const std::string& bytes, const sys::CodePage& ansi);

// The text as Windows text readers take it: the encoding its byte-order mark
// announces, else the system's ANSI code page (no guessing at UTF-8).
ustring DecodeByByteOrderMark(const std::string& bytes, const sys::CodePage& ansi);
// The file's text by its byte-order mark; raises prn::Error naming the file
// when it cannot be read.
ustring ReadFileText(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& path);
// Number of UTF-16 characters of the file's text, the mark not counted.
int64_t TextLength(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& path);
// The text split into lines at CR LF, CR or LF.
StringList SplitLines(ustring_view text);

}  // namespace prn::config
