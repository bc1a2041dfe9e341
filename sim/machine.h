#pragma once
// One simulated Windows machine: its disks, its code page, its spooler, its
// devices and the rest, so that the installer's logic runs and is tested
// without Windows. Each part models what the installer expects of the real
// platform, including its limits and error codes.

#include "sys/platform.h"
#include "sim/codepage.h"
#include "sim/device_install.h"
#include "sim/device_library.h"
#include "sim/device_tree.h"
#include "sim/dialogs.h"
#include "sim/files.h"
#include "sim/host_folder.h"
#include "sim/inf_store.h"
#include "sim/privileges.h"
#include "sim/processes.h"
#include "sim/registry.h"
#include "sim/resources.h"
#include "sim/shell.h"
#include "sim/spooler.h"
#include "sim/system_info.h"
#include "sim/threads.h"
#include "sim/ui_thread.h"
#include "sim/usb_port_library.h"
#include "sim/window_messages.h"

namespace prn::sim {

class Machine {
 public:
  Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // The bundle of interfaces that the portable logic is handed.
  sys::Platform Platform();

  HostFolder host;
  SimFileSystem files;
  SimCodePage codePage;
  SimLastError lastError;
  SimSystemInfo system{files};
  SimResources resources;
  SimDialogs dialogs;
  SimSpooler spooler{lastError, system};
  SimUsbPortLibrary usb;
  SimProcesses processes{files, system};
  SimShell shell;
  SimPrivileges privileges;
  SimRegistry registry;
  SimDeviceTree devices{registry};
  SimInfStore infStore{files};
  // The device-installation services as the device-install library sees them.
  SimDeviceInstallApi deviceInstall{devices, infStore, files, codePage, system};
  SimDeviceLibraries deviceLibraries{files, deviceInstall, registry, lastError, codePage};
  // Windows that simulated programs send messages to (PrnSetup64.exe's result).
  SimWindows windows;
  // The thread that made the machine plays its UI thread.
  SimUiThread uiThread;
};

}  // namespace prn::sim
