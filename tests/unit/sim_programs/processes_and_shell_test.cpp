#include <gtest/gtest.h>

#include "sim/machine.h"
#include "sys/win_errors.h"
#include "testing/test_files.h"

namespace prn::sim {
namespace {

TEST(SimProcesses, DetachedProgramSeesItsArgumentsAndStaysActiveForItsPolls) {
  Machine machine;
  ProcessStartInfo seen;
  machine.processes.InstallProgram(u"PrnSetup64.exe", [&](const ProcessStartInfo& start) {
    seen = start;
    ProgramRun run;
    run.exitCode = 7;
    run.activePolls = 2;
    return run;
  });
  testing::WriteFile(machine.files, u"C:\\Work\\PrnSetup64.exe", "MZ");
  auto start = machine.processes.StartDetached(u"", u"C:\\Work\\PrnSetup64.exe /Handle 5", u"C:\\Work");
  ASSERT_TRUE(start.process);
  EXPECT_EQ(seen.args, (StringList{u"C:\\Work\\PrnSetup64.exe", u"/Handle", u"5"}));
  EXPECT_FALSE(seen.captured);
  EXPECT_EQ(start.process->ExitCode(), winerr::StillActive);
  EXPECT_TRUE(start.process->StillActive());
  EXPECT_FALSE(start.process->StillActive());
  EXPECT_EQ(start.process->ExitCode(), 7u);
}

// As the real host in SendMessageW: still running while the window handles
// its message, so a wait for it from there would never return.
TEST(SimProcesses, AProgramIsStillActiveWhileItDoesItsWork) {
  Machine machine;
  sys::Process* self = nullptr;
  bool activeAtWork = false;
  bool waitRefused = false;
  machine.processes.InstallProgram(u"PrnSetup64.exe", [&](const ProcessStartInfo&) {
    ProgramRun run;
    run.atEnd = [&] {
      activeAtWork = self->StillActive() && self->ExitCode() == winerr::StillActive;
      try {
        self->WaitForEnd();
      } catch (const SimDeadlock&) {
        waitRefused = true;
      }
    };
    return run;
  });
  testing::WriteFile(machine.files, u"C:\\Work\\PrnSetup64.exe", "MZ");
  auto start = machine.processes.StartDetached(u"", u"C:\\Work\\PrnSetup64.exe", u"");
  ASSERT_TRUE(start.process);
  self = start.process.get();
  start.process->WaitForEnd();
  EXPECT_TRUE(activeAtWork);
  EXPECT_TRUE(waitRefused);
  EXPECT_FALSE(start.process->StillActive());
}

TEST(SimProcesses, UnknownProgramAndScriptedFailuresDoNotStart) {
  Machine machine;
  EXPECT_EQ(machine.processes.StartDetached(u"", u"nothing.exe", u"").error, winerr::FileNotFound);
  EXPECT_EQ(machine.processes.StartCaptured(u"nothing.exe /x").failure, sys::CapturedStart::Failure::Process);
  ScriptedCommand refused;
  refused.startError = winerr::AccessDenied;
  machine.processes.Script(u"tool.exe", refused);
  EXPECT_EQ(machine.processes.StartDetached(u"", u"TOOL.EXE", u"").error, winerr::AccessDenied);
  EXPECT_TRUE(machine.processes.Started().empty());
}

// As CreateProcessW: an unquoted path with a blank runs C:\Program.exe when
// that file exists; quotes or the application name run the named file; a
// bare name is found in System32; a program that is not on the disks does not start.
TEST(SimProcesses, TheProgramFileIsFoundAsWindowsFindsIt) {
  Machine machine;
  testing::WriteFile(machine.files, u"C:\\Program Files\\Q\\host.exe", "MZ");
  auto ran = [&] { return machine.processes.Started().back().program; };
  ASSERT_TRUE(machine.processes.StartDetached(u"", u"C:\\Program Files\\Q\\host.exe /x", u"").process);
  EXPECT_EQ(ran(), u"C:\\Program Files\\Q\\host.exe");
  testing::WriteFile(machine.files, u"C:\\Program.exe", "MZ planted");
  ASSERT_TRUE(machine.processes.StartDetached(u"", u"C:\\Program Files\\Q\\host.exe /x", u"").process);
  EXPECT_EQ(ran(), u"C:\\Program.exe");
  ASSERT_TRUE(machine.processes.StartDetached(u"", u"\"C:\\Program Files\\Q\\host.exe\" /x", u"").process);
  EXPECT_EQ(ran(), u"C:\\Program Files\\Q\\host.exe");
  ASSERT_TRUE(machine.processes.StartDetached(u"C:\\Program Files\\Q\\host.exe", u"C:\\Program Files\\Q\\host.exe", u"").process);
  EXPECT_EQ(ran(), u"C:\\Program Files\\Q\\host.exe");
  ASSERT_TRUE(machine.processes.StartDetached(u"", u"rundll32 printui.dll,PrintUIEntry", u"").process);
  EXPECT_EQ(ran(), u"C:\\Windows\\system32\\rundll32.exe");

  EXPECT_EQ(machine.processes.StartDetached(u"", u"\"C:\\Program Files\\Q\\gone.exe\"", u"").error,
            winerr::FileNotFound);
  EXPECT_EQ(machine.processes.StartDetached(u"C:\\Q\\host.exe", u"C:\\Program Files\\Q\\host.exe", u"").error,
            winerr::FileNotFound);
  EXPECT_EQ(machine.processes.StartCaptured(u"C:\\Program Files\\Q\\host").failure,
            sys::CapturedStart::Failure::None);  // ".exe" added
  EXPECT_EQ(machine.processes.Started().size(), 6u);
}

TEST(SimShell, DeletesOnTheDisksAndAnswersShellCodes) {
  Machine machine;
  testing::WriteFile(machine.files, u"C:\\Program Files\\Q\\a\\b.txt", "x");
  EXPECT_EQ(machine.shell.DeleteWithShell(u"C:\\Program Files\\Q", 0x414, 9), 0);
  EXPECT_FALSE(machine.files.DirectoryExists(u"C:\\Program Files\\Q"));
  EXPECT_NE(machine.shell.DeleteWithShell(u"C:\\Program Files\\Q", 0x414, 9), 0);
  EXPECT_EQ(machine.shell.ProgramFilesFolder(0), u"C:\\Program Files");
  machine.shell.SetExecuteResult(u"C:\\doc.pdf", 31);
  EXPECT_EQ(machine.shell.Execute(0, u"open", u"c:\\DOC.pdf", u"", u"", 5), 31);
  EXPECT_GT(machine.shell.Execute(0, u"open", u"C:\\readme.txt", u"", u"", 5), 32);
  ASSERT_EQ(machine.shell.Executions().size(), 2u);
  EXPECT_EQ(machine.shell.Executions()[1].showCommand, 5);
}

}  // namespace
}  // namespace prn::sim
