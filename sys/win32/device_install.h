#pragma once
// The device-installation services of Windows for the device-install
// library. setupapi.dll, newdev.dll and cfgmgr32.dll are loaded from System32
// at first use and released with the object; an entry point a system lacks
// answers ERROR_PROC_NOT_FOUND (CR_FAILURE for the configuration manager).

#include <memory>

#include "sys/device_install_api.h"

namespace prn::win32 {

class Win32DeviceInstallApi : public sys::DeviceInstallApi {
 public:
  Win32DeviceInstallApi();
  ~Win32DeviceInstallApi() override;

  uint32_t CountClassGuids(const std::string& className, uint32_t& count) override;
  uint32_t OpenAllDevices(std::unique_ptr<sys::DeviceInfoSet>& set) override;
  uint32_t UpdateDriverForDevices(sys::WindowHandle owner, const std::string& hardwareId,
                                  const std::string& infPath, uint32_t installFlags,
                                  bool& restartNeeded) override;
  uint32_t CopyOemInf(const std::string& infPath, const std::optional<std::string>& mediaLocation,
                      std::span<char> destination, uint32_t& requiredSize) override;
  uint32_t LocateRootNode(uint32_t& node) override;
  uint32_t ReenumerateNode(uint32_t node) override;
  int32_t ShowMessageBox(sys::WindowHandle owner, const std::string& text, const std::string& caption,
                         uint32_t style) override;
  void DebugOutput(const std::string& text) override;
  uint32_t FullPathName(const std::string& path, std::string& fullPath) override;
  sys::PathKind PathKindOf(const std::string& path) override;
  std::optional<std::string> ModuleString(std::uintptr_t module, uint32_t id) override;
  std::optional<std::string> SystemMessage(uint32_t code, size_t bufferSize) override;

  struct Functions;

 private:
  const Functions& Api();

  std::unique_ptr<Functions> functions_;
};

}  // namespace prn::win32
