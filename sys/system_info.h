#pragma once
// What the installer asks of the running system: its language, version and
// bitness, its folders, unique and unguessable names, private folders, error
// texts and waiting.

#include <cstdint>
#include <memory>
#include <optional>

#include "sys/private_folder.h"

#include "text/ustring.h"

namespace prn::sys {

struct OsVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
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

}  // namespace prn::sys
