#pragma once
// What the removal routines need of the machine and of the running installer.

#include "sys/platform.h"

namespace prn::removal {

struct RemovalContext {
  // spooler, processes, registry, files, code page, system, last error, dialogs, privileges
  sys::Platform platform;
  // The installer runs on 64-bit Windows: its uninstall entries sit in the
  // registry's 32-bit view.
  bool wow64 = false;
};

}  // namespace prn::removal
