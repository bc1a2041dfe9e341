#pragma once
// The real system's language, version, bitness, folders and error texts.

#include "sys/system_info.h"

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

}  // namespace prn::win32
