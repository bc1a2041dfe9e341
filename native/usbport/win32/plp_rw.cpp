// The exports of PLP_RW.DLL. The list is process-wide; one lock keeps a
// refresh from rebuilding it under a concurrent read. A critical section
// rather than std::mutex: it works on every Windows the DLL is loaded on and
// keeps the threads library out of a DLL of two functions.

#include <windows.h>

#include "native/usbport/usb_port_list.h"
#include "native/usbport/win32/win32_device_source.h"

namespace {

class ListLock {
 public:
  ListLock() { InitializeCriticalSection(&section_); }
  ~ListLock() { DeleteCriticalSection(&section_); }
  ListLock(const ListLock&) = delete;
  ListLock& operator=(const ListLock&) = delete;

  class Held {
   public:
    explicit Held(ListLock& lock) : section_(&lock.section_) { EnterCriticalSection(section_); }
    ~Held() { LeaveCriticalSection(section_); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

   private:
    CRITICAL_SECTION* section_;
  };

 private:
  CRITICAL_SECTION section_;
};

ListLock g_listLock;
prn::usbport::UsbPortList g_list;

}  // namespace

extern "C" int WINAPI USBPrintRefresh() {
  try {
    ListLock::Held held(g_listLock);
    prn::usbport::Win32DeviceSource source;
    return g_list.Refresh(source);
  } catch (...) {
    return 0;
  }
}

extern "C" int WINAPI GetUSBHWID(int index, char* port, int portSize, char* deviceId,
                                                       int deviceIdSize) {
  try {
    ListLock::Held held(g_listLock);
    return g_list.Copy(index, port, portSize, deviceId, deviceIdSize) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
