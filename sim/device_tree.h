#pragma once
// The simulated machine's devices as plug and play records them, with the
// plug-and-play driver install (UpdateDriverForPlugAndPlayDevices) modelled
// on them. A scenario chooses how an install of a matching device ends.

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::sim {

class SimRegistry;

struct SimDevice {
  std::string instanceId;                // e.g. "USBPRINT\QUILLONQX17A3F\7&2A3B&0&USB001"
  std::vector<std::string> hardwareIds;  // none: reading them answers ERROR_INVALID_DATA
  bool attached = true;                  // present now, not only recorded
  std::string driverInf;                 // full path of the INF its driver came from; empty: none
  uint32_t propertyFailure = 0;          // reading its hardware IDs fails with this code

  bool RootEnumerated() const;
};

// How UpdateDriverForPlugAndPlayDevices ends for a matching attached device.
enum class DriverUpdateOutcome {
  Install,              // success
  InstallNeedsRestart,  // success, and the system asks for a restart
  UserDeclines,         // 0xE000022F: the user refused the unsigned driver
  NoAssociatedService,  // 0xE0000219
  Fail,                 // the scenario's failure code
};

struct DriverUpdateScenario {
  DriverUpdateOutcome outcome = DriverUpdateOutcome::Install;
  uint32_t failureCode = 0;  // for Fail
};

struct DriverUpdateCall {
  sys::WindowHandle owner;
  std::string hardwareId;
  std::string infPath;
  uint32_t flags;
};

class SimDeviceTree {
 public:
  explicit SimDeviceTree(SimRegistry& registry) : registry_(registry) {}

  // Records a device and creates its enumeration key, as plug and play does.
  void AddDevice(SimDevice device);
  const std::vector<SimDevice>& Devices() const { return devices_; }
  SimDevice* Find(std::string_view instanceId);
  static ustring EnumKeyPath(std::string_view instanceId);

  // Whether a device's installed driver (the INF it came from) is the one offered.
  using SameDriver = std::function<bool(const std::string& installedInf)>;
  // UpdateDriverForPlugAndPlayDevices for an INF that exists (or not): 0 or
  // the error code. Matching is by hardware ID, without regard to case,
  // among the attached devices; without force, devices that already have
  // the offered driver get no better one (ERROR_NO_MORE_ITEMS).
  uint32_t UpdateDriver(sys::WindowHandle owner, const std::string& hardwareId, const std::string& infPath,
                        bool infExists, uint32_t flags, bool& restartNeeded, const SameDriver& sameDriver);

  uint32_t usbClassGuids = 1;        // setup classes named "USB"
  uint32_t openFailure = 0;          // opening a device set fails with this code
  uint32_t enumerationFailure = 0;   // enumeration ends with this code instead of 259
  uint32_t locateResult = 0;         // CM_Locate_DevNode result
  uint32_t reenumerateResult = 0;    // CM_Reenumerate_DevNode result
  std::atomic<int> reenumerations{0};
  // Runs inside each re-enumeration (a test holds a slow one there).
  std::function<void()> duringReenumeration;
  std::atomic<int> classInstallerRequests{0};
  DriverUpdateScenario updateScenario;
  std::vector<DriverUpdateCall> updateCalls;
  // Runs for each device that has just received its driver (the class installer).
  std::function<void(const SimDevice&)> driverInstalled;

 private:
  SimRegistry& registry_;
  std::vector<SimDevice> devices_;
};

}  // namespace prn::sim
