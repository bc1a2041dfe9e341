#pragma once
// Keys and values below HKEY_LOCAL_MACHINE, named by path
// ("SYSTEM\CurrentControlSet\Enum\…"; names compare without regard to case).
// Operations answer a Windows error code (0 on success; 2 for a missing key
// or value).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/ustring.h"

namespace prn::sys {

namespace regtype {
constexpr uint32_t None = 0;
constexpr uint32_t String = 1;        // REG_SZ
constexpr uint32_t ExpandString = 2;  // REG_EXPAND_SZ
constexpr uint32_t Binary = 3;        // REG_BINARY
constexpr uint32_t Dword = 4;         // REG_DWORD
constexpr uint32_t MultiString = 7;   // REG_MULTI_SZ
}  // namespace regtype

// Which half of the registry a 32-bit process on 64-bit Windows sees:
// its own default, or the 32-bit or 64-bit view explicitly.
enum class RegistryView { Default, Force32, Force64 };

// A value's type and its bytes exactly as stored.
struct RegistryValue {
  uint32_t type = regtype::None;
  std::string data;

  // REG_SZ holding UTF-16LE text with its terminating zero.
  static RegistryValue String(ustring_view text);
  static RegistryValue Dword(uint32_t value);
  // The text of a REG_SZ / REG_EXPAND_SZ, up to its first zero (a missing
  // terminator is tolerated); nothing for other types.
  std::optional<ustring> Text() const;
  std::optional<uint32_t> Number() const;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // 0 when the key exists and can be opened for reading.
  virtual uint32_t OpenKey(const ustring& path, RegistryView view) = 0;
  // Creates the key and any missing parent; 0 also when it already exists.
  virtual uint32_t CreateKey(const ustring& path, RegistryView view) = 0;
  // Deletes the key with all its subkeys and values.
  virtual uint32_t DeleteTree(const ustring& path, RegistryView view) = 0;
  virtual uint32_t EnumerateSubkeys(const ustring& path, std::vector<ustring>& names,
                                    RegistryView view) = 0;
  virtual uint32_t ReadValue(const ustring& path, const ustring& name, RegistryValue& value,
                             RegistryView view) = 0;
  // Writes into an existing key (2 when the key is missing).
  virtual uint32_t WriteValue(const ustring& path, const ustring& name, const RegistryValue& value,
                              RegistryView view) = 0;
};

}  // namespace prn::sys
