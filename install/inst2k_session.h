#pragma once
// One load of the device-install library, as every caller uses it: loaded by
// full path with its failure boxes switched off, called, and unloaded when the
// session goes. The library's recorded error code lives only as long as the
// load, so it is read inside the same session as the install call.

#include <cstdint>
#include <optional>
#include <string>

#include "sys/device_library.h"
#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::sys {
class LastError;
}

namespace prn::install {

class Inst2kSession {
 public:
  // Buffer sizes the installer hands to the library.
  static constexpr size_t kFoundIdBufferSize = 260;
  static constexpr uint32_t kOemInfNameBufferSize = 512;

  // Loads the library and, when it has ShowErrorCode, switches its failure
  // boxes off. A failed load leaves the session empty (see Loaded).
  Inst2kSession(sys::DeviceLibraries& libraries, sys::LastError& lastError, const ustring& libraryPath);
  // As the constructor, but a library that cannot be loaded raises an error
  // with the text "DllNotFound :\r\n" and the path.
  static Inst2kSession Require(sys::DeviceLibraries& libraries, sys::LastError& lastError,
                               const ustring& libraryPath);

  Inst2kSession(Inst2kSession&&) noexcept = default;
  Inst2kSession& operator=(Inst2kSession&&) = delete;
  ~Inst2kSession() = default;

  bool Loaded() const { return library_ != nullptr; }
  uint32_t LoadError() const { return loadError_; }
  const ustring& Path() const { return path_; }
  // The exports (all empty when the library is not loaded).
  const sys::Inst2kExports& Exports() const;

  struct InstallOutcome {
    int32_t result = 0;                              // 0, 1, 2 or -1
    std::optional<uint32_t> lastInstallErrorCode;    // empty without the export
  };
  // FuncInst2K, then LastInstallErrorCode in this same load. Empty when the
  // library lacks FuncInst2K.
  std::optional<InstallOutcome> Install(const std::string& infPath, const std::string& hardwareId,
                                        const std::string& port, sys::WindowHandle owner);

  struct FoundDevice {
    bool found = false;
    std::string hardwareId;  // the device's first hardware ID
    std::string instanceId;
  };
  // FuncFindExistDevice with two zero-filled 260-byte buffers.
  std::optional<FoundDevice> FindExistDevice(const std::string& hardwareId);

  // Inst2k_IsInlineDeviceExist with the thread's last error cleared first.
  std::optional<uint32_t> IsInlineDeviceExist(sys::WindowHandle owner, const std::string& hardwareId,
                                              const std::string& infPath, uint32_t installFlags);

  struct RegisteredInf {
    bool succeeded = false;
    std::string oemInfName;  // the INF's path in the system INF store
    uint32_t lastError = 0;  // the thread's last error after a failure
  };
  // Inst2k_RegistryInf into a 512-character buffer, last error cleared first.
  std::optional<RegisteredInf> RegistryInf(const std::string& infPath,
                                           const std::optional<std::string>& mediaLocation);

  std::optional<uint32_t> RefreshHW();
  // Each returns false when the library lacks the switch.
  bool EnableRootID(int32_t enable);
  bool ShowErrorCode(int32_t enable);
  std::optional<uint32_t> LastInstallErrorCode();

 private:
  sys::LastError* lastError_;
  ustring path_;
  std::unique_ptr<sys::DeviceLibrary> library_;
  uint32_t loadError_ = 0;
};

}  // namespace prn::install
