// The exports of PLP_RW.DLL. The list is process-wide; one lock keeps a
// refresh from rebuilding it under a concurrent read.

#include <windows.h>

#include <mutex>

#include "native/usbport/usb_port_list.h"
#include "native/usbport/win32/win32_device_source.h"

namespace {

std::mutex g_listLock;
prn::usbport::UsbPortList g_list;

}  // namespace

extern "C" int WINAPI USBPrintRefresh() {
  try {
    std::lock_guard lock(g_listLock);
    prn::usbport::Win32DeviceSource source;
    return g_list.Refresh(source);
  } catch (...) {
    return 0;
  }
}

extern "C" int WINAPI GetUSBHWID(int index, char* port, int portSize, char* deviceId,
                                                       int deviceIdSize) {
  try {
    std::lock_guard lock(g_listLock);
    return g_list.Copy(index, port, portSize, deviceId, deviceIdSize) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
