#pragma once
// A folder that only the current user, Administrators and SYSTEM may use, so
// that the programs an elevated installer extracts into it cannot be swapped
// by other processes.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "sys/win32/win32_handle.h"
#include "text/ustring.h"

namespace prn::win32 {

// Security attributes with a protected access list that gives full control
// to those three and nobody else, inherited by everything created below.
class PrivateFolderSecurity {
 public:
  PrivateFolderSecurity() = default;
  PrivateFolderSecurity(const PrivateFolderSecurity&) = delete;
  PrivateFolderSecurity& operator=(const PrivateFolderSecurity&) = delete;

  // Answers a Windows error code.
  uint32_t Build();
  SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }
  PACL Acl() const { return acl_.Get(); }

 private:
  struct LocalAclTraits {
    using Handle = PACL;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { LocalFree(h); }
  };

  std::vector<BYTE> user_, administrators_, system_;
  UniqueHandle<LocalAclTraits> acl_;
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
};

// Creates the folder (its parent must exist) with those attributes. A folder
// that exists already is not touched: ERROR_ALREADY_EXISTS.
uint32_t CreatePrivateDirectory(const ustring& path);

}  // namespace prn::win32
