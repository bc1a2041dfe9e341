#pragma once
// Profile files through the system's own profile functions.

#include "config/profile_store.h"

namespace prn::host64 {

class Win32ProfileStore : public config::ProfileStore {
 public:
  int32_t ReadInteger(const ustring& path, ustring_view section, ustring_view key, int32_t defaultValue) override;
  ustring ReadString(const ustring& path, ustring_view section, ustring_view key,
                     ustring_view defaultValue) override;
  uint32_t WriteString(const ustring& path, ustring_view section, ustring_view key, ustring_view value) override;
};

}  // namespace prn::host64
