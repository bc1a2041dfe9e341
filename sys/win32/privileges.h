#pragma once
// The real process token and ExitWindowsEx.

#include "sys/system_info.h"

namespace prn::win32 {

class Win32Privileges : public sys::Privileges {
 public:
  bool HasAccessTokens() const override;
  void AdjustPrivilege(const ustring& name, bool enable) override;
  bool RequestExitWindows(uint32_t flags, uint32_t reason) override;
};

}  // namespace prn::win32
