#include "sim/privileges.h"

#include "sim/threads.h"
#include "sys/win_errors.h"

namespace prn::sim {

SimPrivileges::SimPrivileges(SimLastError& lastError)
    : lastError_(lastError),
      known_{u"SeShutdownPrivilege", u"SeDebugPrivilege", u"SeBackupPrivilege", u"SeRestorePrivilege",
             u"SeLoadDriverPrivilege", u"SeTakeOwnershipPrivilege", u"SeSecurityPrivilege"},
      held_{u"SeShutdownPrivilege"} {}

void SimPrivileges::AdjustPrivilege(const ustring& name, bool enable) {
  if (openError_) {
    lastError_.Set(openError_);
    return;
  }
  if (!known_.count(name)) {
    lastError_.Set(winerr::NoSuchPrivilege);
    return;
  }
  // AdjustTokenPrivileges succeeds for a privilege the token lacks and says
  // so only through the last error.
  if (!held_.count(name)) {
    lastError_.Set(winerr::NotAllAssigned);
    return;
  }
  if (enable) {
    enabled_.insert(name);
  } else {
    enabled_.erase(name);
  }
  lastError_.Set(winerr::Success);
}

bool SimPrivileges::RequestExitWindows(uint32_t flags, uint32_t reason) {
  exitRequests_.push_back({flags, reason});
  if (refuseExit_) {
    lastError_.Set(winerr::PrivilegeNotHeld);
    return false;
  }
  return true;
}

}  // namespace prn::sim
