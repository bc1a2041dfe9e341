#include "sys/sim/machine.h"

namespace prn::sim {

Machine::Machine() : files(host.Path()), shell(files), privileges(lastError) {}

sys::Platform Machine::Platform() {
  sys::Platform platform;
  platform.files = &files;
  platform.codePage = &codePage;
  platform.lastError = &lastError;
  platform.spooler = &spooler;
  platform.usb = &usb;
  platform.processes = &processes;
  platform.shell = &shell;
  platform.privileges = &privileges;
  return platform;
}

}  // namespace prn::sim
