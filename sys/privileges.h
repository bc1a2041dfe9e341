#pragma once
// Privileges of this process's access token, and asking Windows to restart.

#include <cstdint>

#include "text/ustring.h"

namespace prn::sys {

// ExitWindowsEx flags.
constexpr uint32_t kEwxReboot = 0x2;
constexpr uint32_t kEwxForceIfHung = 0x10;

class Privileges {
 public:
  virtual ~Privileges() = default;

  // Whether this system has access tokens at all (the NT family).
  virtual bool HasAccessTokens() const = 0;
  // Opens the process token for adjusting and querying, looks the privilege
  // up on the local system and enables or disables it. How it went is left
  // in the thread's last-error value: 0 only when the token holds the
  // privilege and the change was made.
  virtual void AdjustPrivilege(const ustring& name, bool enable) = 0;
  // ExitWindowsEx; true when Windows accepted the request.
  virtual bool RequestExitWindows(uint32_t flags, uint32_t reason) = 0;
};

}  // namespace prn::sys
