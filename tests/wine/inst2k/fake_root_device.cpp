#include "fake_root_device.h"

namespace {
// GUID_DEVCLASS_PRINTER
const GUID kPrinterClass = {0x4D36E979, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
}  // namespace

FakeRootDevice::FakeRootDevice(const std::wstring& hardwareId) {
  set_ = SetupDiCreateDeviceInfoList(&kPrinterClass, nullptr);
  if (set_ == INVALID_HANDLE_VALUE) {
    error_ = GetLastError();
    return;
  }
  device_.cbSize = sizeof device_;
  std::wstring list = hardwareId + L'\0' + L'\0';
  if (!SetupDiCreateDeviceInfoW(set_, L"Printer", &kPrinterClass, nullptr, nullptr, DICD_GENERATE_ID, &device_) ||
      !SetupDiSetDeviceRegistryPropertyW(set_, &device_, SPDRP_HARDWAREID, reinterpret_cast<const BYTE*>(list.data()),
                                         static_cast<DWORD>(list.size() * sizeof(wchar_t))) ||
      !SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set_, &device_)) {
    error_ = GetLastError();
    return;
  }
  registered_ = true;
}

FakeRootDevice::~FakeRootDevice() {
  if (registered_) SetupDiCallClassInstaller(DIF_REMOVE, set_, &device_);
  if (set_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(set_);
}

std::string FakeRootDevice::InstanceId() const {
  char id[200] = {};
  SetupDiGetDeviceInstanceIdA(set_, const_cast<SP_DEVINFO_DATA*>(&device_), id, sizeof id, nullptr);
  return id;
}
