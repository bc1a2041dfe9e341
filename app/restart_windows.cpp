#include "app/restart_windows.h"

#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "text/format.h"

namespace prn {

bool EnablePrivilege(const sys::Platform& platform, const ustring& name, bool enable) {
  if (!platform.privileges->HasAccessTokens()) return false;
  platform.privileges->AdjustPrivilege(name, enable);
  uint32_t code = platform.lastError->Get();
  if (code == 0) return true;
  ustring text = platform.system->ErrorMessage(code);
  throw Error(text.empty() ? Format(u"System Error. Code: %d.", {code}) : text);
}

bool RestartWindows(const sys::Platform& platform) {
  if (!EnablePrivilege(platform, u"SeShutdownPrivilege", true)) return false;
  return platform.privileges->RequestExitWindows(sys::kEwxReboot | sys::kEwxForceIfHung, 0);
}

}  // namespace prn
