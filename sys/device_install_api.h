#pragma once
// The device-installation services that the device-install library uses
// inside itself (SetupAPI, the new-device installer, the configuration
// manager and a few kernel32/user32 calls), in narrow text as the library
// speaks them. Operations answer a Windows error code (0 on success) unless
// said otherwise; the library decides what the thread's last error is.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "sys/dialogs.h"

namespace prn::sys {

namespace devinst {
constexpr uint32_t DifDetect = 15;             // DIF_DETECT
constexpr uint32_t InstallFlagForce = 1;       // INSTALLFLAG_FORCE
constexpr uint32_t InstallFlagNonInteractive = 4;
constexpr uint32_t MbOk = 0x0;
constexpr uint32_t MbIconError = 0x10;
constexpr uint32_t MbIconWarning = 0x30;
constexpr uint32_t CrSuccess = 0;
constexpr uint32_t CrFailure = 0x13;
}  // namespace devinst

// One device information set; destroyed with the object. It keeps one
// current device, chosen by SelectDevice, as SetupAPI's SP_DEVINFO_DATA does.
class DeviceInfoSet {
 public:
  virtual ~DeviceInfoSet() = default;

  // A class-installer request for the whole set (SetupDiCallClassInstaller).
  virtual uint32_t CallClassInstaller(uint32_t request) = 0;
  // Makes the device at `index` current; ERROR_NO_MORE_ITEMS past the end.
  virtual uint32_t SelectDevice(uint32_t index) = 0;
  // The current device's hardware-ID list (REG_MULTI_SZ bytes) into `buffer`;
  // `required` receives its size in bytes. ERROR_INSUFFICIENT_BUFFER when it
  // does not fit (an empty buffer asks for the size), ERROR_INVALID_DATA when
  // the device has no hardware IDs.
  virtual uint32_t HardwareIds(std::span<char> buffer, uint32_t& required) = 0;
  // The current device's instance ID with its terminating zero into `buffer`;
  // ERROR_INSUFFICIENT_BUFFER when it does not fit.
  virtual uint32_t InstanceId(std::span<char> buffer) = 0;
  // Drops the current device from the set (SetupDiDeleteDeviceInfo); the
  // devices after it move up one index.
  virtual uint32_t RemoveCurrentDevice() = 0;
};

enum class PathKind { Missing, File, Directory };

class DeviceInstallApi {
 public:
  virtual ~DeviceInstallApi() = default;

  // How many setup-class GUIDs carry this class name (asked without a buffer:
  // ERROR_INSUFFICIENT_BUFFER when there are some, as SetupAPI answers).
  virtual uint32_t CountClassGuids(const std::string& className, uint32_t& count) = 0;
  // Every device of every class that the system has recorded, attached or not.
  virtual uint32_t OpenAllDevices(std::unique_ptr<DeviceInfoSet>& set) = 0;
  // UpdateDriverForPlugAndPlayDevicesA.
  virtual uint32_t UpdateDriverForDevices(WindowHandle owner, const std::string& hardwareId,
                                          const std::string& infPath, uint32_t installFlags,
                                          bool& restartNeeded) = 0;
  // SetupCopyOEMInfA with SPOST_PATH: the INF's path in the system INF store
  // into `destination`; `requiredSize` receives that path's size in
  // characters with its zero.
  virtual uint32_t CopyOemInf(const std::string& infPath, const std::optional<std::string>& mediaLocation,
                              std::span<char> destination, uint32_t& requiredSize) = 0;
  // Configuration manager, local machine: CONFIGRET results.
  virtual uint32_t LocateRootNode(uint32_t& node) = 0;
  virtual uint32_t ReenumerateNode(uint32_t node) = 0;

  virtual int32_t ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                                 uint32_t style) = 0;
  virtual void DebugOutput(const std::string& text) = 0;

  // GetFullPathNameA: the path expanded against the current directory.
  virtual uint32_t FullPathName(const std::string& path, std::string& fullPath) = 0;
  // GetFileAttributesA, reduced to what the library asks.
  virtual PathKind PathKindOf(const std::string& path) = 0;
  // A string of the module's string table, in the language the system picks.
  virtual std::optional<std::string> ModuleString(std::uintptr_t module, uint32_t id) = 0;
  // The system's message text for a code (FormatMessageA, LANG_NEUTRAL /
  // SUBLANG_DEFAULT); nothing when there is none or it does not fit a buffer
  // of `bufferSize` bytes.
  virtual std::optional<std::string> SystemMessage(uint32_t code, size_t bufferSize) = 0;
};

}  // namespace prn::sys
