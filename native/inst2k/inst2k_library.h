#pragma once
// The device-install library's logic: its nine exports over the machine's
// device-installation services, its registry and the thread's last error.
// The Win32 DLL and the simulated machine each bind one of these to the
// module state of a load.

#include <cstdint>
#include <string>

#include "sys/dialogs.h"

namespace prn::inst2k {

// The values the library keeps in its loaded module. All are zero when the
// module is loaded and live until it is unloaded.
struct ModuleState {
  std::uintptr_t ModuleHandle = 0;      // for string-table lookups
  sys::WindowHandle OwnerWindow = 0;    // owner of every message box
  int32_t DebugMode = 0;                // entry boxes of the two main exports
  int32_t ShowErrorBoxes = 0;           // failure and missing-INF boxes
  int32_t RootIdEnabled = 0;            // root-enumerated devices count in a search
  uint32_t LastErrorCode = 0;           // the code of the last reported failure
};

}  // namespace prn::inst2k

namespace prn::sys {
class CodePage;
class DeviceInfoSet;
class DeviceInstallApi;
class LastError;
class Registry;
}  // namespace prn::sys

namespace prn::inst2k {

struct Inst2kMachine {
  sys::DeviceInstallApi& devices;
  sys::Registry& registry;
  sys::LastError& lastError;
  const sys::CodePage& codePage;
};

class Inst2kLibrary {
 public:
  // The library's fixed buffers, which are limits of its interface.
  static constexpr size_t kHardwareIdBufferSize = 260;
  static constexpr size_t kInfPathBufferSize = 260;
  static constexpr size_t kInstanceIdBufferSize = 100;
  static constexpr size_t kFoundIdBufferSize = 260;  // what every caller passes
  static constexpr size_t kOemInfNameBufferSize = 260;

  Inst2kLibrary(Inst2kMachine machine, ModuleState& state) : machine_(machine), state_(state) {}

  int32_t FuncInst2K(const char* infPath, const char* hardwareId, const char* port, sys::WindowHandle owner);
  int32_t FuncFindExistDevice(const char* hardwareId, char* foundHardwareId, char* foundInstanceId);
  uint32_t Inst2k_IsInlineDeviceExist(sys::WindowHandle owner, const char* hardwareId, const char* infPath,
                                      uint32_t installFlags);
  int32_t Inst2k_RegistryInf(const char* infPath, const char* mediaLocation, char* oemInfName,
                             uint32_t oemInfNameSize);
  uint32_t RefreshHW();
  void EnableRootID(int32_t enable) { state_.RootIdEnabled = enable; }
  void SetDebugMode(int32_t enable) { state_.DebugMode = enable; }
  void ShowErrorCode(int32_t enable) { state_.ShowErrorBoxes = enable; }
  uint32_t LastInstallErrorCode() const { return state_.LastErrorCode; }

 private:
  // Records the thread's last error as LastErrorCode, shows it when boxes are
  // on, leaves it as the thread's last error and returns it.
  uint32_t ReportFailure(const std::string& label, sys::WindowHandle owner);
  std::string LoadModuleString(uint32_t id);
  void ShowDebugEntryBox(const char* text);
  // The INF's full path when it names an existing file that fits the buffer.
  bool CheckInf(const std::string& infPath, std::string& fullPath);

  // One device of the search: 0 to go on, or the status that ends it.
  enum class DeviceStep { Next, Stay, Found, Failed };
  DeviceStep VisitDevice(sys::DeviceInfoSet& set, const std::string& hardwareId, char* foundHardwareId,
                         char* foundInstanceId, uint32_t& status);
  uint32_t ReadHardwareIds(sys::DeviceInfoSet& set, std::string& list);
  // Creates a missing parameters key; false when it could not be created.
  bool EnsureDeviceParameters(const std::string& instanceId);

  Inst2kMachine machine_;
  ModuleState& state_;
};

}  // namespace prn::inst2k
