// PrnSetup64.exe: runs the 64-bit device-install library for the 32-bit
// installer. It always ends with exit code 0; the installer only watches
// whether it still runs.

#include <windows.h>

#include "config/profile_store.h"
#include "native/host64/host_run.h"
#include "native/host64/win32/win32_host_ui.h"
#include "native/host64/win32/win32_profile_store.h"
#include "sys/win32/device_library.h"
#include "sys/win32/files.h"
#include "sys/win32/hardening.h"
#include "sys/win32/text.h"

int wmain(int, wchar_t**) {
  // Before the library is loaded: what it loads by name comes from System32
  // only, never from the folder the host was started from.
  prn::win32::HardenProcess();
  try {
    // The command line is split by the rules the installer quotes for, not
    // by whichever C run-time this build happens to start with.
    const prn::host64::HostArguments arguments = prn::host64::ParseHostCommandLine(prn::win32::U(GetCommandLineW()));
    prn::win32::Win32DeviceLibraries libraries;
    prn::win32::Win32FileSystem files;
    prn::win32::Win32CodePage codePage;
    prn::host64::Win32ProfileStore profiles;
    prn::host64::Win32HostUi ui;
    return prn::host64::RunHost({libraries, files, codePage, profiles, ui}, arguments);
  } catch (...) {
    return 0;
  }
}
