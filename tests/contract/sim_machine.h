#pragma once
// The simulated machine as a contract test sees it: a fresh one per test,
// with a stand-in for the test child program beside the installer.

#include <gtest/gtest.h>

#include <string>

#include "contract/test_command.h"
#include "sim/machine.h"
#include "text/winpath.h"

namespace prn::contract {

class SimMachine {
 public:
  static constexpr const char* kName = "Sim";

  SimMachine() { InstallTestChild(); }
  SimMachine(const SimMachine&) = delete;  // its test child works on this machine
  SimMachine& operator=(const SimMachine&) = delete;
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

  // Writes `word` and a line end, and ends with 0.
  TestCommand CommandThatPrints(const ustring& word) const { return TestChild(u"print " + word); }
  // Writes nothing and ends with `code`.
  TestCommand CommandThatExits(uint32_t code) const { return TestChild(u"exit " + ToDecimal(code)); }
  // Writes a line, closes its output, and runs until waited for; then
  // creates `file` (a relative name in its current directory) and ends with 0.
  TestCommand CommandThatLeavesAFile(const ustring& file) const {
    return TestChild(u"close-output 1500 \"" + file + u"\"");
  }

 private:
  ustring TestChildPath() const { return JoinPath(machine_.system.executableFolder, u"prn_test_child.exe"); }
  TestCommand TestChild(const ustring& arguments) const {
    return {TestChildPath(), u"\"" + TestChildPath() + u"\" " + arguments};
  }

  void InstallTestChild() {
    EXPECT_EQ(machine_.files.CreateDirectories(machine_.system.executableFolder), 0u);
    EXPECT_EQ(machine_.files.WriteFile(TestChildPath(), "MZ"), 0u);
    machine_.processes.InstallProgram(u"prn_test_child.exe", [this](const sim::ProcessStartInfo& start) {
      return RunTestChild(start);
    });
  }

  sim::ProgramRun RunTestChild(const sim::ProcessStartInfo& start) {
    const StringList& args = start.args;
    sim::ProgramRun run;
    if (args.size() < 3) {
      run.exitCode = 1;  // as the test child answers a line it does not know
    } else if (args[1] == u"print") {
      run.output = ToUtf8(args[2]) + "\r\n";
    } else if (args[1] == u"exit") {
      run.exitCode = static_cast<uint32_t>(std::stoul(ToUtf8(args[2])));
    } else if (args[1] == u"close-output" && args.size() >= 4) {
      run.output = "closing\r\n";
      run.activePolls = 1 << 30;
      const ustring folder = start.currentDirectory.empty() ? machine_.files.CurrentDirectory() : start.currentDirectory;
      const ustring file = FullWindowsPath(folder, args[3]);
      run.atEnd = [this, file] { machine_.files.WriteFile(file, ""); };
    } else {
      run.exitCode = 1;
    }
    return run;
  }

  sim::Machine machine_;
};

}  // namespace prn::contract
