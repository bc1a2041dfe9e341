#include "sys/win32/usb_port_library.h"

#include "sys/win32/hardening.h"
#include "sys/win32/text.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::win32 {

namespace {

constexpr int kBufferBytes = 512;

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

// Called under the scan lock, so the first use binds once.
bool Win32UsbPortLibrary::Bind() {
  if (tried_) return refresh_ && entry_;
  tried_ = true;
  const ustring& path = LibraryPath();
  if (path.empty()) {
    trace::Message(u"The package has no USB port library PLP_RW.DLL: no USB printers");
    return false;
  }
  if (!IsAbsoluteWindowsPath(path)) {
    trace::Format(u"USB port library %s is not a full path: no USB printers", {path});
    return false;
  }
  // The default folders are System32 only; the library's own imports lie beside it.
  module_.Reset(LoadLibraryWithItsFolder(W(path)));
  if (!module_) {
    trace::Format(u"USB port library %s could not be loaded (error %d): no USB printers",
                  {path, static_cast<unsigned long>(GetLastError())});
    return false;
  }
  refresh_ = Export<RefreshFunction>(module_.Get(), "USBPrintRefresh");
  entry_ = Export<EntryFunction>(module_.Get(), "GetUSBHWID");
  if (!refresh_ || !entry_) {
    trace::Format(u"USB port library %s lacks USBPrintRefresh or GetUSBHWID: no USB printers", {path});
    refresh_ = nullptr;
    entry_ = nullptr;
    module_.Reset();
    return false;
  }
  return true;
}

int Win32UsbPortLibrary::RefreshList() {
  if (!Bind()) return 0;
  return refresh_();
}

sys::UsbPrinterEntry Win32UsbPortLibrary::ReadEntry(int index) {
  if (!Bind()) return {};
  char port[kBufferBytes] = {};
  char deviceId[kBufferBytes] = {};
  entry_(index, port, kBufferBytes, deviceId, kBufferBytes);
  // The library cuts to the buffer sizes; the terminator is ours to be sure of.
  port[kBufferBytes - 1] = '\0';
  deviceId[kBufferBytes - 1] = '\0';
  return {port, deviceId};
}

}  // namespace prn::win32
