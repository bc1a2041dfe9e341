#pragma once
// The device-install library (inst2k.dll / inst2k64.dll) from the Win32 side:
// its exports as C functions, which the library defines and its callers look
// up by name, and loading it from its full path (LoadLibraryExW) with its
// exports bound (GetProcAddress).

#include <windows.h>

#include <cstdint>

#include "sys/device_library.h"

namespace prn::win32 {

// Plain undecorated names, the C calling convention in the 32-bit build.
namespace inst2k_abi {

extern "C" {
using InstallFn = int32_t(__cdecl*)(const char* infPath, const char* hardwareId, const char* port, HWND owner);
using FindExistDeviceFn = int32_t(__cdecl*)(const char* hardwareId, char* foundHardwareId, char* foundInstanceId);
using IsInlineDeviceExistFn = uint32_t(__cdecl*)(HWND owner, const char* hardwareId, const char* infPath,
                                                 uint32_t installFlags);
using RegistryInfFn = int32_t(__cdecl*)(const char* infPath, const char* mediaLocation, char* oemInfName,
                                        uint32_t oemInfNameSize);
using RefreshFn = uint32_t(__cdecl*)();
using SwitchFn = void(__cdecl*)(int32_t enable);
using LastErrorCodeFn = uint32_t(__cdecl*)();
}

// GetProcAddress's answer as the export's own type.
template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace inst2k_abi

class Win32DeviceLibraries : public sys::DeviceLibraries {
 public:
  sys::DeviceLibraryLoad Load(const ustring& fullPath) override;
};

}  // namespace prn::win32
