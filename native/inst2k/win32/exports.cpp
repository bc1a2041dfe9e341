// The DLL's entry and its nine exports: each binds the library's logic to the
// real machine for the length of one call.

#include <windows.h>

#include <type_traits>

#include "native/inst2k/inst2k_library.h"
#include "sys/device_install_api.h"
#include "sys/win32/device_install.h"
#include "sys/win32/device_library.h"
#include "sys/win32/registry.h"
#include "sys/win32/system_info.h"
#include "sys/win32/text.h"

namespace {

// The module's state: zero at load, gone at unload, as the callers expect.
prn::inst2k::ModuleState g_state;

// Runs one export against the real machine. No exception crosses the C
// boundary, and the thread's last error is the one the logic left.
template <typename Result, typename Call>
Result Run(Result onFailure, Call call) {
  DWORD lastError = ERROR_NOT_ENOUGH_MEMORY;
  Result result = onFailure;
  try {
    prn::win32::Win32DeviceInstallApi devices;
    prn::win32::Win32Registry registry;
    prn::win32::Win32LastError threadError;
    prn::win32::Win32CodePage codePage;
    prn::inst2k::Inst2kLibrary library({devices, registry, threadError, codePage}, g_state);
    result = call(library);
    lastError = GetLastError();
  } catch (...) {
  }
  SetLastError(lastError);
  return result;
}

prn::sys::WindowHandle Handle(HWND window) { return reinterpret_cast<prn::sys::WindowHandle>(window); }

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH || reason == DLL_THREAD_ATTACH) {
    g_state.ModuleHandle = reinterpret_cast<std::uintptr_t>(instance);
  }
  return TRUE;
}

int32_t __cdecl FuncInst2K(const char* infPath, const char* hardwareId, const char* port, HWND owner) {
  return Run<int32_t>(2, [&](auto& library) { return library.FuncInst2K(infPath, hardwareId, port, Handle(owner)); });
}

int32_t __cdecl FuncFindExistDevice(const char* hardwareId, char* foundHardwareId, char* foundInstanceId) {
  return Run<int32_t>(0, [&](auto& library) {
    return library.FuncFindExistDevice(hardwareId, foundHardwareId, foundInstanceId);
  });
}

uint32_t __cdecl Inst2k_IsInlineDeviceExist(HWND owner, const char* hardwareId, const char* infPath,
                                            uint32_t installFlags) {
  return Run<uint32_t>(ERROR_NOT_ENOUGH_MEMORY, [&](auto& library) {
    return library.Inst2k_IsInlineDeviceExist(Handle(owner), hardwareId, infPath, installFlags);
  });
}

int32_t __cdecl Inst2k_RegistryInf(const char* infPath, const char* mediaLocation, char* oemInfName,
                                   uint32_t oemInfNameSize) {
  return Run<int32_t>(0, [&](auto& library) {
    return library.Inst2k_RegistryInf(infPath, mediaLocation, oemInfName, oemInfNameSize);
  });
}

uint32_t __cdecl RefreshHW() {
  return Run<uint32_t>(prn::sys::devinst::CrFailure, [](auto& library) { return library.RefreshHW(); });
}

void __cdecl EnableRootID(int32_t enable) { g_state.RootIdEnabled = enable; }
void __cdecl SetDebugMode(int32_t enable) { g_state.DebugMode = enable; }
void __cdecl ShowErrorCode(int32_t enable) { g_state.ShowErrorBoxes = enable; }
uint32_t __cdecl LastInstallErrorCode() { return g_state.LastErrorCode; }

}  // extern "C"

// The exports have exactly the types their callers look them up with.
namespace abi = prn::win32::inst2k_abi;
static_assert(std::is_same_v<decltype(&FuncInst2K), abi::InstallFn>);
static_assert(std::is_same_v<decltype(&FuncFindExistDevice), abi::FindExistDeviceFn>);
static_assert(std::is_same_v<decltype(&Inst2k_IsInlineDeviceExist), abi::IsInlineDeviceExistFn>);
static_assert(std::is_same_v<decltype(&Inst2k_RegistryInf), abi::RegistryInfFn>);
static_assert(std::is_same_v<decltype(&RefreshHW), abi::RefreshFn>);
static_assert(std::is_same_v<decltype(&EnableRootID), abi::SwitchFn>);
static_assert(std::is_same_v<decltype(&LastInstallErrorCode), abi::LastErrorCodeFn>);
