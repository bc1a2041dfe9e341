#pragma once
// The machines that promise one behaviour through the sys/ interfaces: the
// simulated one everywhere, and under Wine the real Win32 one beside it, so
// that one test body holds the simulation to what Windows does.
//
// A machine type gives its interfaces (Spooler(), LastError(), Files(),
// Registry(), Processes()), the places a test may use (ScratchFolder(),
// DriverDirectory(), the caller's own and the other driver environment) and
// leaves the machine as it found it when it goes.

#include <gtest/gtest.h>

#include <string>

#include "contract/sim_machine.h"
#ifdef _WIN32
#include "contract/win32/win32_machine.h"
#endif

namespace prn::contract {

#ifdef _WIN32
using Machines = ::testing::Types<Win32Machine, SimMachine>;
#else
using Machines = ::testing::Types<SimMachine>;
#endif

// Test names say which machine ran them: "SpoolerContract/Win32.…".
struct MachineNames {
  template <typename Machine>
  static std::string GetName(int) {
    return Machine::kName;
  }
};

}  // namespace prn::contract
