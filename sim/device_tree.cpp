#include "sim/device_tree.h"

#include "sys/registry.h"
#include "sim/registry.h"
#include "sys/win_errors.h"
#include "text/ascii.h"

namespace prn::sim {

namespace {
constexpr uint32_t kInstallFlagForce = 1;

bool HasHardwareId(const SimDevice& device, const std::string& hardwareId) {
  for (const auto& id : device.hardwareIds) {
    if (EqualsNoCase(id, hardwareId)) return true;
  }
  return false;
}
}  // namespace

bool SimDevice::RootEnumerated() const { return StartsWithNoCase(instanceId, "ROOT\\"); }

ustring SimDeviceTree::EnumKeyPath(std::string_view instanceId) {
  return u"SYSTEM\\CurrentControlSet\\Enum\\" + FromUtf8(instanceId);
}

void SimDeviceTree::AddDevice(SimDevice device) {
  registry_.CreateKey(EnumKeyPath(device.instanceId), sys::RegistryView::Force64);
  devices_.push_back(std::move(device));
}

SimDevice* SimDeviceTree::Find(std::string_view instanceId) {
  for (auto& device : devices_) {
    if (EqualsNoCase(device.instanceId, instanceId)) return &device;
  }
  return nullptr;
}

uint32_t SimDeviceTree::UpdateDriver(sys::WindowHandle owner, const std::string& hardwareId,
                                     const std::string& infPath, bool infExists, uint32_t flags,
                                     bool& restartNeeded, const SameDriver& sameDriver) {
  updateCalls.push_back({owner, hardwareId, infPath, flags});
  restartNeeded = false;
  if (!infExists) return winerr::FileNotFound;

  std::vector<SimDevice*> matching;
  for (auto& device : devices_) {
    if (device.attached && HasHardwareId(device, hardwareId)) matching.push_back(&device);
  }
  if (matching.empty()) return winerr::NoSuchDevinst;

  // Without force, the driver a device already has is not a better match.
  bool allInPlace = true;
  for (auto* device : matching) {
    allInPlace = allInPlace && !device->driverInf.empty() && sameDriver(device->driverInf);
  }
  if (allInPlace && !(flags & kInstallFlagForce)) return winerr::NoMoreItems;

  switch (updateScenario.outcome) {
    case DriverUpdateOutcome::UserDeclines: return winerr::NoCatalogForOemInf;
    case DriverUpdateOutcome::NoAssociatedService: return winerr::NoAssociatedService;
    case DriverUpdateOutcome::Fail: return updateScenario.failureCode;
    case DriverUpdateOutcome::Install:
    case DriverUpdateOutcome::InstallNeedsRestart: break;
  }
  for (auto* device : matching) {
    device->driverInf = infPath;
    if (driverInstalled) driverInstalled(*device);
  }
  restartNeeded = updateScenario.outcome == DriverUpdateOutcome::InstallNeedsRestart;
  return 0;
}

}  // namespace prn::sim
