#pragma once
// Reading and writing keys of profile (INI) files by path, as the system's
// GetPrivateProfileIntW / GetPrivateProfileStringW / WritePrivateProfileStringW
// do. FileProfileStore does it with the installer's own reader and writer over
// a file system, so it behaves the same on every machine. A key is written the
// way WritePrivateProfileStringW does: the key's line is replaced when its
// section has it, otherwise added at the end of the section, and a missing
// section is added at the end of the file; every other line stays as it was.

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

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The key's leading decimal number; `defaultValue` when the key is missing or empty.
  virtual int32_t ReadInteger(const ustring& path, ustring_view section, ustring_view key,
                              int32_t defaultValue) = 0;
  virtual ustring ReadString(const ustring& path, ustring_view section, ustring_view key,
                             ustring_view defaultValue) = 0;
  // 0, or the Windows error code of the failed write.
  virtual uint32_t WriteString(const ustring& path, ustring_view section, ustring_view key, ustring_view value) = 0;
};

class FileProfileStore : public ProfileStore {
 public:
  FileProfileStore(sys::FileSystem& files, const sys::CodePage& ansi) : files_(files), ansi_(ansi) {}

  int32_t ReadInteger(const ustring& path, ustring_view section, ustring_view key, int32_t defaultValue) override;
  ustring ReadString(const ustring& path, ustring_view section, ustring_view key,
                     ustring_view defaultValue) override;
  uint32_t WriteString(const ustring& path, ustring_view section, ustring_view key, ustring_view value) override;

 private:
  sys::FileSystem& files_;
  const sys::CodePage& ansi_;
};

}  // namespace prn::config
