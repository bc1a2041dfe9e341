#pragma once
// PLP_RW.DLL, loaded by its full path at first use (the copy in the work
// folder; its own imports are looked up beside it and in System32 only).
// When there is none, it cannot be loaded or it lacks an export, that is
// traced once and the answer is "no USB printers".

#include <windows.h>

#include "sys/usb_port_library.h"
#include "sys/win32/handle.h"
#include "text/ustring.h"

namespace prn::win32 {

class Win32UsbPortLibrary : public sys::UsbPortLibrary {
 public:
  Win32UsbPortLibrary() = default;
  // A relative path is refused, so that no search path is ever involved.
  explicit Win32UsbPortLibrary(const ustring& libraryPath) { UseLibraryAt(libraryPath); }

 protected:
  int RefreshList() override;
  sys::UsbPrinterEntry ReadEntry(int index) override;

 private:
  using RefreshFunction = int(WINAPI*)();
  using EntryFunction = int(WINAPI*)(int index, char* port, int portSize, char* deviceId, int deviceIdSize);

  // Loads the library the first time; false when it is unusable.
  bool Bind();

  bool tried_ = false;
  Module module_;
  RefreshFunction refresh_ = nullptr;
  EntryFunction entry_ = nullptr;
};

}  // namespace prn::win32
