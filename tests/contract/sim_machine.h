#pragma once
// The simulated machine as a contract test sees it: a fresh one per test.

#include <gtest/gtest.h>

#include "sim/machine.h"
#include "text/winpath.h"

namespace prn::contract {

class SimMachine {
 public:
  static constexpr const char* kName = "Sim";

  // Every routine closes the printer handles it opens.
  ~SimMachine() { EXPECT_EQ(machine_.spooler.OpenHandleCount(), 0) << "printer handles left open"; }

  sys::Spooler& Spooler() { return machine_.spooler; }
  sys::LastError& LastError() { return machine_.lastError; }
  sys::FileSystem& Files() { return machine_.files; }
  sys::Registry& Registry() { return machine_.registry; }
  sys::Processes& Processes() { return machine_.processes; }

  ustring ScratchFolder() const { return JoinPath(machine_.system.userTempFolder, u"prn-contract"); }
  // The installer is a 32-bit program on 32-bit Windows here.
  ustring DriverDirectory() const { return machine_.system.systemDirectory + u"\\spool\\drivers\\w32x86"; }
  ustring OwnEnvironment() const { return sim::kEnvironmentX86; }
  ustring OtherEnvironment() const { return sim::kEnvironmentX64; }

 private:
  sim::Machine machine_;
};

}  // namespace prn::contract
