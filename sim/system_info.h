#pragma once
// The simulated system: its language, version, WOW64 state and folders. Temp
// file names and private folders are made on the simulated disks; the
// "unpredictable" numbers come in an order a test may choose.

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
  // the user's temporary folder C:\Users\User\AppData\Local\Temp\, Windows
  // in C:\Windows, program in C:\Package).
  uint16_t langId = 0x0409;
  std::optional<sys::OsVersion> version = sys::OsVersion{6, 1};
  std::optional<bool> wow64 = false;
  ustring userTempFolder = u"C:\\Users\\User\\AppData\\Local\\Temp";  // where %TEMP% leads
  ustring executableFolder = u"C:\\Package";
  ustring systemDirectory = u"C:\\Windows\\system32";
  ustring windowsDirectory = u"C:\\Windows";

  // Every later CreateTempFileName fails with `code` (0 lets them work again).
  void FailTempFileNames(uint32_t code) { tempNameFailure_ = code; }
  // The hexadecimal number that the next unique name tries first.
  void SetNextUniqueNumber(uint16_t number) { nextUnique_ = number; }
  // The next unpredictable number; the ones after it count up from it.
  void SetNextUnpredictableNumber(uint64_t number) { nextUnpredictable_ = number; }
  bool IsPrivateFolder(const ustring& path) const;
  uint32_t SleptMilliseconds() const { return slept_; }

  uint16_t SystemDefaultLangId() const override { return langId; }
  std::optional<sys::OsVersion> Version() const override { return version; }
  std::optional<bool> Wow64Flag() const override { return wow64; }
  ustring WindowsDirectory() const override { return windowsDirectory; }
  uint32_t UnpredictableNumber(uint64_t& number) override {
    number = nextUnpredictable_++;
    return 0;
  }
  uint32_t CreateTempFileName(const ustring& folder, const ustring& prefix, ustring& fileName) override;
  uint32_t CreatePrivateFolder(const ustring& path, std::unique_ptr<sys::PrivateFolder>& folder) override;
  ustring ExecutableFolder() const override { return executableFolder; }
  ustring SystemDirectory() const override { return systemDirectory; }
  ustring ErrorMessage(uint32_t code) const override;
  void Sleep(uint32_t milliseconds) override { slept_ += milliseconds; }

 private:
  SimFileSystem& files_;
  std::set<ustring> privateFolders_;       // upper-case full paths
  uint32_t tempNameFailure_ = 0;
  uint16_t nextUnique_ = 0x1A2B;
  uint64_t nextUnpredictable_ = 0x5EED00000000A1B2;
  uint32_t slept_ = 0;
};

}  // namespace prn::sim
