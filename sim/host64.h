#pragma once
// PrnSetup64.exe on the simulated machine: the host's own logic, run against
// the machine's device-install library (inst2k64.dll in the folder the
// command line names), its files and its windows. The host does its work
// when it ends, that is when the installer waits for it or sees it gone.

#include "sim/processes.h"

namespace prn::sim {

class SimCodePage;
class SimDeviceLibraries;
class SimDialogs;
class SimFileSystem;
class SimWindows;

struct SimHostParts {
  SimDeviceLibraries& libraries;
  SimFileSystem& files;
  const SimCodePage& codePage;
  SimDialogs& dialogs;
  SimWindows& windows;
};

ProgramBehaviour PrnSetup64Program(SimHostParts parts);

}  // namespace prn::sim
