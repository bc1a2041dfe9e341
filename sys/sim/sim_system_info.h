#pragma once
// The simulated system: its language, version, WOW64 state and folders. Temp
// file names and private folders are made on the simulated disks.

#include <map>
#include <optional>
#include <set>
#include <vector>

#include "sys/system_info.h"

namespace prn::sim {

class SimFileSystem;

class SimSystemInfo : public sys::SystemInfo {
 public:
  explicit SimSystemInfo(SimFileSystem& files) : files_(files) {}

  // Settings of the simulated system (defaults: English, Windows 7, 32-bit,
  // temp folder C:\Users\User\AppData\Local\Temp\, program in C:\Package).
  uint16_t langId = 0x0409;
  std::optional<sys::OsVersion> version = sys::OsVersion{6, 1};
  std::optional<bool> wow64 = false;
  std::optional<ustring> tempPath = u"C:\\Users\\User\\AppData\\Local\\Temp\\";
  ustring executableFolder = u"C:\\Package";
  ustring systemDirectory = u"C:\\Windows\\system32";

  // A short (8.3) spelling of a folder that LongPathName expands.
  void AddShortName(const ustring& shortPath, const ustring& longPath);
  // Every later CreateTempFileName fails with `code` (0 lets them work again).
  void FailTempFileNames(uint32_t code) { tempNameFailure_ = code; }
  // The hexadecimal number that the next unique name tries first.
  void SetNextUniqueNumber(uint16_t number) { nextUnique_ = number; }
  bool IsPrivateFolder(const ustring& path) const;
  uint32_t SleptMilliseconds() const { return slept_; }

  uint16_t SystemDefaultLangId() const override { return langId; }
  std::optional<sys::OsVersion> Version() const override { return version; }
  std::optional<bool> Wow64Flag() const override { return wow64; }
  std::optional<ustring> TempPath() const override { return tempPath; }
  std::optional<ustring> LongPathName(const ustring& path) const override;
  uint32_t CreateTempFileName(const ustring& folder, const ustring& prefix, ustring& fileName) override;
  uint32_t CreatePrivateFolder(const ustring& path, std::unique_ptr<sys::PrivateFolder>& folder) override;
  ustring ExecutableFolder() const override { return executableFolder; }
  ustring SystemDirectory() const override { return systemDirectory; }
  ustring ErrorMessage(uint32_t code) const override;
  void Sleep(uint32_t milliseconds) override { slept_ += milliseconds; }

 private:
  SimFileSystem& files_;
  std::map<ustring, ustring> shortNames_;  // upper-case short spelling → long spelling
  std::set<ustring> privateFolders_;       // upper-case full paths
  uint32_t tempNameFailure_ = 0;
  uint16_t nextUnique_ = 0x1A2B;
  uint32_t slept_ = 0;
};

}  // namespace prn::sim
