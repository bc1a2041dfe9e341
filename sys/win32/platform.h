#pragma once
// The real machine's parts, bundled for the portable logic as the simulated
// machine bundles its own.

#include "sys/platform.h"
#include "sys/win32/device_library.h"
#include "sys/win32/dialogs.h"
#include "sys/win32/files.h"
#include "sys/win32/processes.h"
#include "sys/win32/registry.h"
#include "sys/win32/shell.h"
#include "sys/win32/spooler.h"
#include "sys/win32/system_info.h"
#include "sys/win32/text.h"
#include "sys/win32/ui_thread.h"
#include "sys/win32/usb_port_library.h"

namespace prn::win32 {

class Win32Platform {
 public:
  sys::Platform Platform() {
    sys::Platform platform;
    platform.files = &files;
    platform.codePage = &codePage;
    platform.lastError = &lastError;
    platform.system = &system;
    platform.resources = &resources;
    platform.dialogs = &dialogs;
    platform.processes = &processes;
    platform.shell = &shell;
    platform.privileges = &privileges;
    platform.spooler = &spooler;
    platform.registry = &registry;
    platform.usb = &usb;
    platform.deviceLibraries = &deviceLibraries;
    platform.uiThread = &uiThread;
    return platform;
  }

  Win32FileSystem files;
  Win32CodePage codePage;
  Win32LastError lastError;
  Win32SystemInfo system;
  Win32Resources resources;
  Win32Dialogs dialogs;
  Win32Processes processes;
  Win32Shell shell;
  Win32Privileges privileges;
  Win32Spooler spooler;
  Win32Registry registry;
  // One for the process: the library's printer list is process-wide.
  // Bound to the work folder's copy of the package's PLP_RW.DLL at start-up.
  Win32UsbPortLibrary usb;
  Win32DeviceLibraries deviceLibraries;
  // The thread that made the platform is the UI thread.
  Win32UiThread uiThread;
};

}  // namespace prn::win32
