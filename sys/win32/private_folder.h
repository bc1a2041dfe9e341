#pragma once
// The work folder on the real machine: owned by Administrators, an access
// list of Administrators and SYSTEM only, a high mandatory label, so that the
// programs an elevated installer extracts into it cannot be swapped by the
// user's other processes.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "sys/system_info.h"
#include "sys/win32/handle.h"
#include "text/ustring.h"
#include "trace/win32/final_path.h"

namespace prn::win32 {

// Security attributes with that owner, a protected access list giving full
// control to those two and nobody else, and the label where the system knows
// integrity levels (Vista and later), all inherited by everything created
// below.
class PrivateFolderSecurity {
 public:
  PrivateFolderSecurity() = default;
  PrivateFolderSecurity(const PrivateFolderSecurity&) = delete;
  PrivateFolderSecurity& operator=(const PrivateFolderSecurity&) = delete;

  // Answers a Windows error code.
  uint32_t Build();
  SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }
  PACL Acl() const { return dacl_.Get(); }
  PACL Label() const { return reinterpret_cast<PACL>(const_cast<BYTE*>(label_.data())); }
  PSID Owner() const { return const_cast<BYTE*>(administrators_.data()); }

 private:
  struct LocalAclTraits {
    using Handle = PACL;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { LocalFree(h); }
  };

  std::vector<BYTE> administrators_, system_, highIntegrity_;
  std::vector<BYTE> label_;  // a SACL with the one mandatory label entry; empty on Windows XP
  UniqueHandle<LocalAclTraits> dacl_;
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
};

// Creates the folder (its parent must exist) with those attributes and holds
// it open, so that it cannot be renamed or replaced while the run uses it. A
// folder that exists already is not touched: ERROR_ALREADY_EXISTS. A path
// that leads through a link: ERROR_CANT_ACCESS_FILE, and the folder made at
// its end is removed. `createDirectory` is the system's CreateDirectoryW; a
// test may see what reaches it, since Wine keeps no file's descriptor.
// `finalPath` is how handles tell their paths, here and when the folder is
// removed (see FinalPathOf); a test may take it away, as Windows XP does.
using CreateDirectoryFunction = BOOL(WINAPI*)(LPCWSTR, LPSECURITY_ATTRIBUTES);
uint32_t CreatePrivateDirectory(const ustring& path, std::unique_ptr<sys::PrivateFolder>& folder,
                                CreateDirectoryFunction createDirectory = CreateDirectoryW,
                                FinalPathFunction finalPath = SystemFinalPathFunction());

}  // namespace prn::win32
