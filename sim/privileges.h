#pragma once
// The simulated process token and the restart request: which privileges the
// token holds, and whether Windows accepts a restart.

#include <set>
#include <vector>

#include "sys/system_info.h"

namespace prn::sim {

class SimLastError;

class SimPrivileges : public sys::Privileges {
 public:
  struct ExitRequest {
    uint32_t flags;
    uint32_t reason;
  };

  explicit SimPrivileges(SimLastError& lastError);

  void SetAccessTokens(bool present) { tokens_ = present; }
  // The token cannot be opened; the adjust leaves `code` as last error.
  void FailTokenOpen(uint32_t code) { openError_ = code; }
  // Privileges the token holds (SeShutdownPrivilege by default).
  void SetHeld(std::set<ustring> held) { held_ = std::move(held); }
  void RefuseExit(bool refuse) { refuseExit_ = refuse; }

  bool IsEnabled(const ustring& name) const { return enabled_.count(name) != 0; }
  const std::vector<ExitRequest>& ExitRequests() const { return exitRequests_; }

  bool HasAccessTokens() const override { return tokens_; }
  void AdjustPrivilege(const ustring& name, bool enable) override;
  bool RequestExitWindows(uint32_t flags, uint32_t reason) override;

 private:
  SimLastError& lastError_;
  bool tokens_ = true;
  uint32_t openError_ = 0;
  bool refuseExit_ = false;
  std::set<ustring> known_;
  std::set<ustring> held_;
  std::set<ustring> enabled_;
  std::vector<ExitRequest> exitRequests_;
};

}  // namespace prn::sim
