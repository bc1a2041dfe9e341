#include "sim/machine.h"

#include "sim/host64.h"
#include "sim/printer_installers.h"
#include "text/winpath.h"

namespace prn::sim {

Machine::Machine() : files(host.Path()), shell(files), privileges(lastError) {
  processes.InstallProgram(u"rundll32.exe", Rundll32Program(spooler, files, codePage));
  devices.driverInstalled = PrinterClassInstaller(spooler, files, codePage);
  processes.InstallProgram(u"PrnSetup64.exe", PrnSetup64Program({deviceLibraries, files, codePage, dialogs, windows}));
  // A Windows machine always has the temporary folders of its user and of
  // the system, and its programs are files that a process start finds.
  files.CreateDirectories(system.userTempFolder);
  files.CreateDirectories(system.systemDirectory);
  files.CreateDirectories(system.windowsDirectory + u"\\Temp");
  files.WriteFile(JoinPath(system.systemDirectory, u"rundll32.exe"), "MZ rundll32");
}

sys::Platform Machine::Platform() {
  sys::Platform platform;
  platform.files = &files;
  platform.codePage = &codePage;
  platform.lastError = &lastError;
  platform.system = &system;
  platform.resources = &resources;
  platform.dialogs = &dialogs;
  platform.spooler = &spooler;
  platform.usb = &usb;
  platform.processes = &processes;
  platform.shell = &shell;
  platform.privileges = &privileges;
  platform.deviceLibraries = &deviceLibraries;
  platform.registry = &registry;
  platform.uiThread = &uiThread;
  return platform;
}

}  // namespace prn::sim
