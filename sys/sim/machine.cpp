#include "sys/sim/machine.h"

namespace prn::sim {

Machine::Machine() : files(host.Path()) {}

sys::Platform Machine::Platform() {
  sys::Platform platform;
  platform.files = &files;
  platform.codePage = &codePage;
  platform.lastError = &lastError;
  platform.spooler = &spooler;
  platform.usb = &usb;
  platform.deviceLibraries = &deviceLibraries;
  platform.registry = &registry;
  return platform;
}

}  // namespace prn::sim
