#pragma once
// One simulated Windows machine: its disks, its code page, its spooler, its
// devices and the rest, so that the installer's logic runs and is tested
// without Windows. Each part models what the installer expects of the real
// platform, including its limits and error codes.

#include "sys/platform.h"
#include "sys/sim/host_folder.h"
#include "sys/sim/sim_codepage.h"
#include "sys/sim/sim_device_install.h"
#include "sys/sim/sim_device_library.h"
#include "sys/sim/sim_device_tree.h"
#include "sys/sim/sim_dialogs.h"
#include "sys/sim/sim_files.h"
#include "sys/sim/sim_inf_store.h"
#include "sys/sim/sim_last_error.h"
#include "sys/sim/sim_privileges.h"
#include "sys/sim/sim_processes.h"
#include "sys/sim/sim_registry.h"
#include "sys/sim/sim_resources.h"
#include "sys/sim/sim_shell.h"
#include "sys/sim/sim_spooler.h"
#include "sys/sim/sim_system_info.h"
#include "sys/sim/sim_ui_thread.h"
#include "sys/sim/sim_usb_port_library.h"
#include "sys/sim/sim_windows.h"

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
