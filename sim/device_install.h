#pragma once
// The device-installation services of the simulated machine, as the
// device-install library uses them: device sets over the device tree, the
// driver install model, the INF store, the configuration manager's answers,
// and recorded message boxes and debug output.

#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "sys/device_install_api.h"
#include "sys/system_info.h"
#include "text/ustring.h"

namespace prn::sim {

class SimCodePage;
class SimDeviceTree;
class SimFileSystem;
class SimInfStore;

class SimDeviceInstallApi : public sys::DeviceInstallApi {
 public:
  // `system` tells whether the machine is 64-bit Windows: a 32-bit caller
  // there gets ERROR_IN_WOW64 from the driver install.
  SimDeviceInstallApi(SimDeviceTree& tree, SimInfStore& infStore, SimFileSystem& files,
                      const SimCodePage& codePage, const sys::SystemInfo& system);

  struct MessageBoxRecord {
    sys::WindowHandle owner;
    ustring text;
    ustring caption;
    uint32_t style;
  };
  std::vector<MessageBoxRecord> MessageBoxes() const;
  // Debug output as the narrow bytes that were sent.
  std::vector<std::string> DebugLines() const;

  // The language the system picks for string tables (1033, 2052, …).
  void SetUiLanguage(uint16_t language) { uiLanguage_ = language; }
  // A loaded module's string table, by (language, id); gone when unregistered.
  using StringTable = std::map<std::pair<uint16_t, uint32_t>, ustring>;
  void RegisterModuleStrings(std::uintptr_t module, StringTable table);
  void UnregisterModule(std::uintptr_t module);
  // The system's message text for a code (ending with "\r\n" as Windows' do).
  void SetSystemMessage(uint32_t code, ustring text);

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

 private:
  SimDeviceTree& tree_;
  SimInfStore& infStore_;
  SimFileSystem& files_;
  const SimCodePage& codePage_;
  const sys::SystemInfo& system_;
  uint16_t uiLanguage_ = 1033;
  std::map<std::uintptr_t, StringTable> moduleStrings_;
  std::map<uint32_t, ustring> systemMessages_;
  std::vector<MessageBoxRecord> messageBoxes_;
  std::vector<std::string> debugLines_;
  mutable std::mutex mutex_;
};

}  // namespace prn::sim
