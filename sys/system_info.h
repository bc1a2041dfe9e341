#pragma once
// What the installer asks of the running system: its language, code page,
// version and bitness, its folders, unique and unguessable names, private
// folders, error texts and waiting, and the privileges of this process's
// token with which it asks Windows to restart.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "text/ustring.h"

namespace prn::sys {

// Narrow text in the system's ANSI code page (CP_ACP on Windows).
class CodePage {
 public:
  virtual ~CodePage() = default;
  // Characters the code page cannot hold become '?', as WideCharToMultiByte does.
  virtual std::string ToAnsi(ustring_view text) const = 0;
  virtual ustring FromAnsi(std::string_view text) const = 0;
  virtual unsigned Id() const = 0;
};

struct OsVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
};

// A folder this run created for itself, that only Administrators and SYSTEM
// may change. The programs written into it stay open with read sharing only,
// so that nobody replaces them before they are loaded or started, and the
// folder is removed by what it holds, never through a link planted in it.
class PrivateFolder {
 public:
  virtual ~PrivateFolder() = default;  // releases the held files; the folder stays

  virtual const ustring& Path() const = 0;
  // Writes a new file at `path` (inside the folder) and holds it open with
  // read sharing only until Remove. A file that exists is refused
  // (ERROR_FILE_EXISTS). Answers a Windows error code.
  virtual uint32_t WriteHeldFile(const ustring& path, const std::string& bytes) = 0;
  // Releases the held files and deletes the folder with everything in it.
  // What is not verifiably inside it (the target of a link) is left alone;
  // a link is removed itself. Answers a Windows error code.
  virtual uint32_t Remove() = 0;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;

  // GetSystemDefaultLangID.
  virtual uint16_t SystemDefaultLangId() const = 0;
  // GetVersionExW; nothing when the query fails. Without a supported-OS list
  // in the manifest the system reports at most 6.2.
  virtual std::optional<OsVersion> Version() const = 0;
  // IsWow64Process for this process; nothing when the function does not exist.
  virtual std::optional<bool> Wow64Flag() const = 0;

  // GetSystemWindowsDirectoryW, without trailing backslash: the machine's own
  // Windows folder, never one that the user's environment names.
  virtual ustring WindowsDirectory() const = 0;
  // A number from the system's cryptographic random generator, for names
  // that nobody can guess beforehand. Answers a Windows error code.
  virtual uint32_t UnpredictableNumber(uint64_t& number) = 0;
  // GetTempFileNameW with unique number 0: creates an empty file with a unique
  // name in `folder` and gives its full path. Answers a Windows error code.
  virtual uint32_t CreateTempFileName(const ustring& folder, const ustring& prefix, ustring& fileName) = 0;
  // Creates one folder (its parent must exist) owned by Administrators, whose
  // access list lets only Administrators and SYSTEM in, at high integrity,
  // and holds it open. A folder (or a link) that already exists there is
  // refused (ERROR_ALREADY_EXISTS): its access list is not ours. A path that
  // leads through a link is refused too (ERROR_CANT_ACCESS_FILE), and the
  // folder made at its end is removed again. Answers a Windows error code.
  virtual uint32_t CreatePrivateFolder(const ustring& path, std::unique_ptr<PrivateFolder>& folder) = 0;

  // Folder of the running executable, without trailing backslash.
  virtual ustring ExecutableFolder() const = 0;
  // GetSystemDirectoryW, without trailing backslash.
  virtual ustring SystemDirectory() const = 0;
  // The system's text for a Windows error code (FormatMessageW), without the
  // trailing line break; empty when the system has none.
  virtual ustring ErrorMessage(uint32_t code) const = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

// ExitWindowsEx flags.
constexpr uint32_t kEwxReboot = 0x2;
constexpr uint32_t kEwxForceIfHung = 0x10;

// Privileges of this process's access token, and asking Windows to restart.
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
