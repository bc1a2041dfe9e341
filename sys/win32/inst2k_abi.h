#pragma once
// The device-install library's exports as C functions: plain undecorated
// names, the C calling convention in the 32-bit build. The library defines
// them; its callers look them up by name with these types.

#include <windows.h>

#include <cstdint>

namespace prn::win32::inst2k_abi {

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

}  // namespace prn::win32::inst2k_abi
