#pragma once
// Loading the device-install library from its full path (LoadLibraryExW) and
// binding its exports (GetProcAddress).

#include "sys/device_library.h"

namespace prn::win32 {

class Win32DeviceLibraries : public sys::DeviceLibraries {
 public:
  sys::DeviceLibraryLoad Load(const ustring& fullPath) override;
};

}  // namespace prn::win32
