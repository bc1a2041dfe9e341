#pragma once
// Reading and writing keys of profile (INI) files by path, as the system's
// GetPrivateProfileIntW / GetPrivateProfileStringW / WritePrivateProfileStringW
// do. FileProfileStore does it with the installer's own reader and writer
// over a file system, so it behaves the same on every machine.

#include <cstdint>

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}  // namespace prn::sys

namespace prn::config {

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
