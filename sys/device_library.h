#pragma once
// The device-install library (inst2k.dll / inst2k64.dll) as its callers see
// it: loaded by full path, its exports looked up by name, unloaded when the
// object goes. Every load of the same module shares the module's state (the
// switches and the recorded error code) until the last load goes.
// Text that crosses the exports is narrow, in the system's ANSI code page.

#include <cstdint>
#include <functional>
#include <memory>

#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::sys {

// The library's exports; each one is empty when the library lacks it.
struct Inst2kExports {
  // (InfPath, HardwareId, Port, Owner) → 0 installed, 1 installed and a
  // restart is needed, 2 failed, -1 no associated service.
  using InstallFn = std::function<int32_t(const char*, const char*, const char*, WindowHandle)>;

  InstallFn FuncInst2K;
  // The older name of FuncInst2K that early builds of the library carry.
  InstallFn Inst2K;
  // (HardwareId, FoundHardwareId or null, FoundInstanceId) → 1 found, 0 not
  // found or failed. Both found buffers hold 260 bytes.
  std::function<int32_t(const char*, char*, char*)> FuncFindExistDevice;
  // (Owner, HardwareId, InfPath, InstallFlags) → 0, or the error code.
  std::function<uint32_t(WindowHandle, const char*, const char*, uint32_t)> Inst2k_IsInlineDeviceExist;
  // (InfPath, MediaLocation or null, OemInfName, OemInfNameSize in
  // characters) → non-zero on success; the thread's last error tells why not.
  std::function<int32_t(const char*, const char*, char*, uint32_t)> Inst2k_RegistryInf;
  // → CONFIGRET: 0, or the configuration manager's failure code.
  std::function<uint32_t()> RefreshHW;
  std::function<void(int32_t)> EnableRootID;
  std::function<void(int32_t)> SetDebugMode;
  std::function<void(int32_t)> ShowErrorCode;
  std::function<uint32_t()> LastInstallErrorCode;
};

// One load of the library; unloads it when destroyed.
class DeviceLibrary {
 public:
  virtual ~DeviceLibrary() = default;
  virtual const Inst2kExports& Exports() const = 0;
};

struct DeviceLibraryLoad {
  std::unique_ptr<DeviceLibrary> library;  // null when the load failed
  uint32_t error = 0;                      // why the load failed (126, 193, …)
};

class DeviceLibraries {
 public:
  virtual ~DeviceLibraries() = default;
  // Loads the library at this full path (never searched for by name).
  virtual DeviceLibraryLoad Load(const ustring& fullPath) = 0;
};

}  // namespace prn::sys
