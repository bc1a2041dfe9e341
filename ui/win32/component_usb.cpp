#include "ui/win32/component_usb.h"

#include <dbt.h>

#include <cstring>

namespace prn::ui {

TComponentUSB::TComponentUSB(HINSTANCE instance, bool usbPrintersOnly) {
  const DeviceInterfaceFilter filter = UsbInterfaceFilter(usbPrintersOnly);
  registered_ = filter.classId;
  Creation creation;
  creation.instance = instance;
  creation.className = L"PrnSetupUsbWatcher";
  creation.style = 0;
  creation.place = RECT{0, 0, 0, 0};
  creation.parent = HWND_MESSAGE;
  CreateWindowFor(creation);
  DEV_BROADCAST_DEVICEINTERFACE_W broadcast{};
  static_assert(sizeof(broadcast) == sizeof(filter), "the filter is the system's structure");
  std::memcpy(&broadcast, &filter, sizeof(broadcast));
  // A failed registration leaves the component without events.
  notification_.Reset(RegisterDeviceNotificationW(Handle(), &broadcast, DEVICE_NOTIFY_WINDOW_HANDLE));
}

TComponentUSB::~TComponentUSB() { notification_.Reset(); }

LRESULT TComponentUSB::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DEVICECHANGE) return Default(message, wParam, lParam);
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  uint32_t type = 0;
  InterfaceClassId classId{};
  if (header) {
    type = header->dbch_devicetype;
    if (type == DBT_DEVTYP_DEVICEINTERFACE && header->dbch_size >= sizeof(DEV_BROADCAST_DEVICEINTERFACE_W)) {
      std::memcpy(&classId, &reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header)->dbcc_classguid,
                  sizeof(classId));
    }
  }
  switch (ClassifyDeviceChange(wParam, type, classId, registered_)) {
    case DeviceEvent::Arrival:
      if (FOnUSBArrival) FOnUSBArrival();
      break;
    case DeviceEvent::Removal:
      if (FOnUSBRemove) FOnUSBRemove();
      break;
    case DeviceEvent::None:
      break;
  }
  return TRUE;
}

}  // namespace prn::ui
