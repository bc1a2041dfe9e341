#pragma once
// Which device-change messages the USB watcher acts on, and the filter it
// registers for.

#include <cstdint>

namespace prn::ui {

struct InterfaceClassId {  // a GUID, byte-compatible with the system's
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};

inline constexpr InterfaceClassId kUsbPrinterInterface{  // GUID_DEVINTERFACE_USBPRINT
    0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};
inline constexpr InterfaceClassId kUsbDeviceInterface{  // GUID_DEVINTERFACE_USB_DEVICE
    0xa5dcbf10, 0x6530, 0x11d2, {0x90, 0x1f, 0x00, 0xc0, 0x4f, 0xb9, 0x51, 0xed}};

constexpr uint32_t kWmDeviceChange = 0x219;
constexpr uintptr_t kDeviceArrival = 0x8000;         // DBT_DEVICEARRIVAL
constexpr uintptr_t kDeviceRemoveComplete = 0x8004;  // DBT_DEVICEREMOVECOMPLETE
constexpr uint32_t kDeviceTypeInterface = 5;         // DBT_DEVTYP_DEVICEINTERFACE

// DEV_BROADCAST_DEVICEINTERFACE_W with an empty name, as registered.
struct DeviceInterfaceFilter {
  uint32_t size;
  uint32_t deviceType;
  uint32_t reserved;
  InterfaceClassId classId;
  char16_t name[1];
};
static_assert(sizeof(DeviceInterfaceFilter) == 32, "the filter the system expects is 32 bytes");

DeviceInterfaceFilter UsbInterfaceFilter(bool usbPrintersOnly);

enum class DeviceEvent { None, Arrival, Removal };

bool SameClass(const InterfaceClassId& a, const InterfaceClassId& b);

// `deviceType` is the broadcast header's type (0 when the message has none);
// `classId` the interface class of a device-interface broadcast. Only the
// registered class counts, whatever else reaches the window.
DeviceEvent ClassifyDeviceChange(uintptr_t event, uint32_t deviceType, const InterfaceClassId& classId,
                                 const InterfaceClassId& registered);

}  // namespace prn::ui
