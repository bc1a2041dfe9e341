#include "sys/win32/system_info.h"

#include "sys/win32/handle.h"
#include "sys/win32/text.h"

namespace prn::win32 {

bool Win32Privileges::HasAccessTokens() const {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void Win32Privileges::AdjustPrivilege(const ustring& name, bool enable) {
  DWORD code = ERROR_SUCCESS;
  {
    KernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) {
      code = GetLastError();
    } else {
      TOKEN_PRIVILEGES change{};
      change.PrivilegeCount = 1;
      change.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
      if (LookupPrivilegeValueW(nullptr, W(name), &change.Privileges[0].Luid)) {
        TOKEN_PRIVILEGES previous{};
        DWORD previousSize = sizeof(previous);
        // Succeeds for a privilege the token lacks: ERROR_NOT_ALL_ASSIGNED tells.
        AdjustTokenPrivileges(token.Get(), FALSE, &change, sizeof(change), &previous, &previousSize);
      }
      code = GetLastError();
    }
  }
  SetLastError(code);  // closing the token must not blur what the adjust said
}

bool Win32Privileges::RequestExitWindows(uint32_t flags, uint32_t reason) {
  return ExitWindowsEx(flags, reason) != FALSE;
}

}  // namespace prn::win32
