#pragma once
// The real system and this process: language, version, bitness, folders and
// error texts, the thread's last-error value, the token's privileges, and
// the parameters the process was started with. Its code page is in text.h.

#include <windows.h>

#include "sys/system_info.h"
#include "sys/win_errors.h"

namespace prn::win32 {

class Win32SystemInfo : public sys::SystemInfo {
 public:
  uint16_t SystemDefaultLangId() const override;
  std::optional<sys::OsVersion> Version() const override;
  std::optional<bool> Wow64Flag() const override;
  ustring WindowsDirectory() const override;
  uint32_t UnpredictableNumber(uint64_t& number) override;
  uint32_t CreateTempFileName(const ustring& folder, const ustring& prefix, ustring& fileName) override;
  uint32_t CreatePrivateFolder(const ustring& path, std::unique_ptr<sys::PrivateFolder>& folder) override;
  ustring ExecutableFolder() const override;
  ustring SystemDirectory() const override;
  ustring ErrorMessage(uint32_t code) const override;
  void Sleep(uint32_t milliseconds) override;
};

class Win32LastError : public sys::LastError {
 public:
  uint32_t Get() const override { return GetLastError(); }
  void Set(uint32_t code) override { SetLastError(code); }
};

// The process token and ExitWindowsEx (privileges.cpp).
class Win32Privileges : public sys::Privileges {
 public:
  bool HasAccessTokens() const override;
  void AdjustPrivilege(const ustring& name, bool enable) override;
  bool RequestExitWindows(uint32_t flags, uint32_t reason) override;
};

// The parameters of this process's command line, split as
// CommandLineToArgvW splits, without the program's own name.
StringList ProcessParameters();

}  // namespace prn::win32
