// The device search of the library: finds a device whose hardware-ID list
// matches, reports its IDs and gives it a "Device Parameters" key.

#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "native/inst2k/device_match.h"
#include "native/inst2k/failure_text.h"
#include "native/inst2k/inst2k_library.h"
#include "sys/device_install_api.h"
#include "sys/registry.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"

namespace prn::inst2k {

namespace {

constexpr int kSizeQueryAttempts = 4;

// Copies text with its zero into a caller's buffer, cut to fit it.
void CopyBounded(const sys::CodePage& codePage, const std::string& text, char* buffer, size_t size) {
  std::string fitted = FitAnsi(codePage, text, size);
  std::memcpy(buffer, fitted.c_str(), fitted.size() + 1);
}

}  // namespace

uint32_t Inst2kLibrary::ReadHardwareIds(sys::DeviceInfoSet& set, std::string& list) {
  std::vector<char> buffer;
  uint32_t required = 0;
  uint32_t status = set.HardwareIds({}, required);
  for (int attempt = 0; status == winerr::InsufficientBuffer && attempt < kSizeQueryAttempts; ++attempt) {
    buffer.assign(required, '\0');
    status = set.HardwareIds(buffer, required);
  }
  if (status == 0) list.assign(buffer.data(), std::min<size_t>(required, buffer.size()));
  return status;
}

bool Inst2kLibrary::EnsureDeviceParameters(const std::string& instanceId) {
  const ustring key = machine_.codePage.FromAnsi(DeviceParametersKey(instanceId));
  if (machine_.registry.OpenKey(key, sys::RegistryView::Default) == 0) return true;
  if (machine_.registry.CreateKey(key, sys::RegistryView::Default) != 0) return false;
  if (auto port = PortNameValue(instanceId)) {
    machine_.registry.WriteValue(key, u"PortName", sys::RegistryValue::String(machine_.codePage.FromAnsi(*port)),
                                 sys::RegistryView::Default);
  }
  return true;
}

Inst2kLibrary::DeviceStep Inst2kLibrary::VisitDevice(sys::DeviceInfoSet& set, const std::string& hardwareId,
                                                     char* foundHardwareId, char* foundInstanceId,
                                                     uint32_t& status) {
  std::string list;
  uint32_t listStatus = ReadHardwareIds(set, list);
  if (listStatus == winerr::InvalidData) return DeviceStep::Next;  // a device without hardware IDs
  if (listStatus != 0) {
    machine_.lastError.Set(listStatus);
    status = ReportFailure("GetDeviceRegistryProperty", 0);
    return DeviceStep::Failed;
  }
  if (!HardwareIdMatches(list, hardwareId)) return DeviceStep::Next;

  std::array<char, kInstanceIdBufferSize> buffer{};
  status = set.InstanceId(buffer);
  const bool instanceIdRead = status == 0;
  const std::string instanceId = instanceIdRead ? std::string(buffer.data()) : std::string();

  // An unreadable instance ID counts too and ends the search as failed.
  const bool counts = MatchCounts(state_.RootIdEnabled != 0, instanceId);
  if (counts && instanceIdRead && foundHardwareId) {
    CopyBounded(machine_.codePage, FirstHardwareId(list), foundHardwareId, kFoundIdBufferSize);
    if (foundInstanceId) CopyBounded(machine_.codePage, instanceId, foundInstanceId, kFoundIdBufferSize);
  }
  DeviceStep step = counts ? DeviceStep::Found : DeviceStep::Next;
  // Without its instance ID a device has no key path to touch.
  if (instanceIdRead && !EnsureDeviceParameters(instanceId) && set.RemoveCurrentDevice() == 0 &&
      step == DeviceStep::Next) {
    step = DeviceStep::Stay;  // the next device has moved up into this index
  }
  return step;
}

int32_t Inst2kLibrary::FuncFindExistDevice(const char* hardwareId, char* foundHardwareId, char* foundInstanceId) {
  ShowDebugEntryBox("FuncFindExistDevice()<<<");
  if (!hardwareId) {
    machine_.lastError.Set(winerr::InvalidParameter);
    return 0;
  }

  // Without a "USB" setup class there is nothing to search.
  uint32_t classCount = 0;
  uint32_t status = machine_.devices.CountClassGuids("USB", classCount);
  if ((status == 0 || status == winerr::InsufficientBuffer) && classCount == 0) return 0;

  std::unique_ptr<sys::DeviceInfoSet> set;
  status = machine_.devices.OpenAllDevices(set);
  if (status != 0 || !set) {
    machine_.lastError.Set(status != 0 ? status : winerr::InvalidHandle);
    ReportFailure("GetClassDevs(All Present Devices)", 0);
    return 0;
  }
  set->CallClassInstaller(sys::devinst::DifDetect);

  for (uint32_t index = 0;;) {
    status = set->SelectDevice(index);
    if (status != 0) break;
    DeviceStep step = VisitDevice(*set, hardwareId, foundHardwareId, foundInstanceId, status);
    if (step == DeviceStep::Failed) {
      set.reset();
      machine_.lastError.Set(status);
      return 0;
    }
    if (step == DeviceStep::Found) break;
    if (step == DeviceStep::Next) ++index;
  }

  if (status != 0 && status != winerr::NoMoreItems) {
    machine_.lastError.Set(status);
    ReportFailure("EnumDeviceInfo", 0);
  }
  set.reset();
  machine_.lastError.Set(status);
  return status == 0 ? 1 : 0;
}

}  // namespace prn::inst2k
