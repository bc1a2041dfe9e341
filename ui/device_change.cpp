#include "ui/device_change.h"

namespace prn::ui {

DeviceInterfaceFilter UsbInterfaceFilter(bool usbPrintersOnly) {
  DeviceInterfaceFilter filter{};
  filter.size = sizeof(filter);
  filter.deviceType = kDeviceTypeInterface;
  filter.classId = usbPrintersOnly ? kUsbPrinterInterface : kUsbDeviceInterface;
  return filter;
}

bool SameClass(const InterfaceClassId& a, const InterfaceClassId& b) {
  if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.data4[i] != b.data4[i]) return false;
  }
  return true;
}

DeviceEvent ClassifyDeviceChange(uintptr_t event, uint32_t deviceType, const InterfaceClassId& classId,
                                 const InterfaceClassId& registered) {
  if (deviceType != kDeviceTypeInterface || !SameClass(classId, registered)) return DeviceEvent::None;
  if (event == kDeviceArrival) return DeviceEvent::Arrival;
  if (event == kDeviceRemoveComplete) return DeviceEvent::Removal;
  return DeviceEvent::None;
}

}  // namespace prn::ui
