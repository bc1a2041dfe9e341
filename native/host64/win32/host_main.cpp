// PrnSetup64.exe: runs the 64-bit device-install library for the 32-bit
// installer. It always ends with exit code 0; the installer only watches
// whether it still runs.

#include <windows.h>

#include <vector>

#include "config/profile_store.h"
#include "native/host64/host_run.h"
#include "native/host64/win32/win32_host_ui.h"
#include "native/host64/win32/win32_profile_store.h"
#include "sys/win32/win32_basics.h"
#include "sys/win32/win32_device_library.h"
#include "sys/win32/win32_files.h"
#include "sys/win32/win32_text.h"

namespace {

// System DLLs come from System32 only, never from the work folder (best effort).
void RestrictDllSearch() {
  using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto setDirectories = reinterpret_cast<SetDirectoriesFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  RestrictDllSearch();
  try {
    std::vector<prn::ustring> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(prn::win32::U(argv[i]));
    prn::win32::Win32DeviceLibraries libraries;
    prn::win32::Win32FileSystem files;
    prn::win32::Win32CodePage codePage;
    prn::host64::Win32ProfileStore profiles;
    prn::host64::Win32HostUi ui;
    return prn::host64::RunHost({libraries, files, codePage, profiles, ui},
                                prn::host64::ParseHostArguments(arguments));
  } catch (...) {
    return 0;
  }
}
