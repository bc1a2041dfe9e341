#pragma once
// HKEY_LOCAL_MACHINE through advapi32; each operation opens the key it needs
// and closes it again.

#include "sys/registry.h"

namespace prn::win32 {

class Win32Registry : public sys::Registry {
 public:
  uint32_t OpenKey(const ustring& path, sys::RegistryView view) override;
  uint32_t CreateKey(const ustring& path, sys::RegistryView view) override;
  uint32_t DeleteTree(const ustring& path, sys::RegistryView view) override;
  uint32_t EnumerateSubkeys(const ustring& path, std::vector<ustring>& names, sys::RegistryView view) override;
  uint32_t ReadValue(const ustring& path, const ustring& name, sys::RegistryValue& value,
                     sys::RegistryView view) override;
  uint32_t WriteValue(const ustring& path, const ustring& name, const sys::RegistryValue& value,
                      sys::RegistryView view) override;
};

}  // namespace prn::win32
