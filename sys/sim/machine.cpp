#include "sys/sim/machine.h"

namespace prn::sim {

Machine::Machine() : files(host.Path()) {
  // A Windows machine always has the temporary folder of its user.
  files.CreateDirectories(*system.tempPath);
}

sys::Platform Machine::Platform() {
  sys::Platform platform;
  platform.files = &files;
  platform.codePage = &codePage;
  platform.lastError = &lastError;
  platform.spooler = &spooler;
  platform.usb = &usb;
  platform.deviceLibraries = &deviceLibraries;
  platform.registry = &registry;
  platform.system = &system;
  platform.resources = &resources;
  platform.dialogs = &dialogs;
  return platform;
}

}  // namespace prn::sim
