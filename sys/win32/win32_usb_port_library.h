#pragma once
// PLP_RW.DLL, loaded by its full path at first use. When it cannot be loaded
// or lacks an export, that is traced once and the answer is "no USB printers".

#include <windows.h>

#include "sys/usb_port_library.h"
#include "sys/win32/win32_handle.h"
#include "text/ustring.h"

namespace prn::win32 {

class Win32UsbPortLibrary : public sys::UsbPortLibrary {
 public:
  // PLP_RW.DLL is taken from `programFolder` (the executable's folder), a
  // full path; a relative one is refused so that no search path is involved.
  explicit Win32UsbPortLibrary(const ustring& programFolder);

 protected:
  int RefreshList() override;
  sys::UsbPrinterEntry ReadEntry(int index) override;

 private:
  using RefreshFunction = int(WINAPI*)();
  using EntryFunction = int(WINAPI*)(int index, char* port, int portSize, char* deviceId, int deviceIdSize);

  // Loads the library the first time; false when it is unusable.
  bool Bind();

  ustring path_;
  bool tried_ = false;
  Module module_;
  RefreshFunction refresh_ = nullptr;
  EntryFunction entry_ = nullptr;
};

}  // namespace prn::win32
