#pragma once
// What the removal routines need of the machine and of the running installer.

#include "sys/platform.h"

namespace prn::removal {

struct RemovalContext {
  RemovalContext() = default;
  // For this machine: wow64 as the system reports it.
  explicit RemovalContext(sys::Platform machine);
  RemovalContext(sys::Platform machine, bool runsUnderWow64) : platform(machine), wow64(runsUnderWow64) {}

  // spooler, processes, registry, files, code page, system, last error, dialogs, privileges
  sys::Platform platform;
  // The installer runs on 64-bit Windows: its uninstall entries sit in the
  // registry's 32-bit view and the system's drivers are "Windows x64" ones.
  bool wow64 = false;
};

}  // namespace prn::removal
