// What starting programs and waiting for them promises on both machines,
// and RunCMD, the installer's way of running a command, on top of it.

#include "contract/machines.h"
#include "spooler/print_ui.h"
#include "sys/win_errors.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::contract {
namespace {

template <typename Machine>
class ProcessesContract : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(machine.Files().CreateDirectories(root), 0u); }

  ustring Path(const char16_t* relative) const { return JoinPath(root, relative); }

  // Everything the process writes, up to the end of its output.
  static std::string OutputOf(sys::CapturedProcess& process) {
    std::string all, chunk;
    while (process.ReadOutput(chunk, 4096) == sys::CapturedProcess::Read::Data) all += chunk;
    return all;
  }

  Machine machine;
  sys::Processes& processes = machine.Processes();
  const ustring root = machine.ScratchFolder();
};

TYPED_TEST_SUITE(ProcessesContract, Machines, MachineNames);

TYPED_TEST(ProcessesContract, ACapturedStartCollectsWhatTheProgramWroteAndItsExitCode) {
  auto printing = this->processes.StartCaptured(this->machine.CommandThatPrints(u"prn-hello").commandLine);
  ASSERT_TRUE(printing.process) << printing.error;
  EXPECT_EQ(printing.failure, sys::CapturedStart::Failure::None);
  EXPECT_EQ(this->OutputOf(*printing.process), "prn-hello\r\n");
  printing.process->WaitForEnd();
  EXPECT_FALSE(printing.process->StillActive());
  EXPECT_EQ(printing.process->ExitCode(), 0u);

  auto silent = this->processes.StartCaptured(this->machine.CommandThatExits(5).commandLine);
  ASSERT_TRUE(silent.process) << silent.error;
  EXPECT_EQ(this->OutputOf(*silent.process), "");
  silent.process->WaitForEnd();
  EXPECT_EQ(silent.process->ExitCode(), 5u);
}

// 1 when output came (appended, however long the command line), 0 when none.
TYPED_TEST(ProcessesContract, RunCMDAnswersWhetherOutputCameAndPassesLongCommandLinesWhole) {
  StringList output{u"kept"};
  EXPECT_EQ(RunCMD(this->processes, this->machine.CommandThatExits(0).commandLine, output), 0);
  EXPECT_EQ(output, StringList{u"kept"});

  const ustring word = ustring(600, u'x') + u"-end";
  EXPECT_EQ(RunCMD(this->processes, this->machine.CommandThatPrints(word).commandLine, output), 1);
  ASSERT_GE(output.size(), 2u);
  EXPECT_EQ(output[0], u"kept");
  EXPECT_NE(Join(output, u"").find(word + u"\r\n"), ustring::npos);
}

// The program closes its output first and leaves its file later: the end
// of the output alone does not mean the end of the program.
TYPED_TEST(ProcessesContract, RunCMDReturnsOnlyAfterTheProgramEnded) {
  const ustring flag = this->Path(u"ended.txt");
  StringList output;
  EXPECT_EQ(RunCMD(this->processes, this->machine.CommandThatLeavesAFile(flag).commandLine, output), 1);
  EXPECT_TRUE(this->machine.Files().FileExists(flag));
}

TYPED_TEST(ProcessesContract, AProgramThatDoesNotExistDoesNotStartWithFileNotFound) {
  const ustring missing = this->Path(u"no-such-program.exe");
  const ustring line = u"\"" + missing + u"\" /x";
  auto captured = this->processes.StartCaptured(line);
  EXPECT_EQ(captured.failure, sys::CapturedStart::Failure::Process);
  EXPECT_EQ(captured.error, winerr::FileNotFound);
  EXPECT_FALSE(captured.process);
  for (const ustring& applicationName : {ustring(), missing}) {
    auto detached = this->processes.StartDetached(applicationName, line, u"");
    EXPECT_EQ(detached.error, winerr::FileNotFound) << ToUtf8(applicationName);
    EXPECT_FALSE(detached.process);
  }

  // A bare name searched for, and a folder that is not there either.
  for (const ustring& missingLine : {ustring(u"no-such-program.exe /x"), ustring(u"C:\\no\\such\\program.exe /x")}) {
    trace::Capture trace;
    StringList output{u"kept"};
    EXPECT_EQ(RunCMD(this->processes, missingLine, output), kRunCmdStartFailed) << ToUtf8(missingLine);
    EXPECT_EQ(output, StringList{u"kept"});
    EXPECT_TRUE(trace.Contains(u"RunCMD 創建調用進程失敗，函數退出！"));
  }
  EXPECT_EQ(this->processes.WaitForDetachedProcesses(), 0);
}

// Only the one still running is waited for; it finishes its work.
TYPED_TEST(ProcessesContract, DetachedProcessesStillRunningAreWaitedForAndCounted) {
  auto quick = this->processes.StartDetached(u"", this->machine.CommandThatExits(3).commandLine, u"");
  ASSERT_TRUE(quick.process) << quick.error;
  quick.process->WaitForEnd();

  const ustring flag = this->Path(u"slow-ended.txt");
  const TestCommand slowCommand = this->machine.CommandThatLeavesAFile(flag);
  auto slow = this->processes.StartDetached(slowCommand.program, slowCommand.commandLine, u"");
  ASSERT_TRUE(slow.process) << slow.error;
  EXPECT_TRUE(slow.process->StillActive());
  EXPECT_EQ(slow.process->ExitCode(), winerr::StillActive);

  EXPECT_EQ(this->processes.WaitForDetachedProcesses(), 1);
  EXPECT_FALSE(slow.process->StillActive());
  EXPECT_EQ(slow.process->ExitCode(), 0u);
  EXPECT_TRUE(this->machine.Files().FileExists(flag));
  EXPECT_EQ(quick.process->ExitCode(), 3u);
}

TYPED_TEST(ProcessesContract, ADetachedProcessRunsInTheFolderItIsGiven) {
  const ustring folder = this->Path(u"detached");
  ASSERT_EQ(this->machine.Files().CreateDirectories(folder), 0u);
  auto start = this->processes.StartDetached(u"", this->machine.CommandThatLeavesAFile(u"here.txt").commandLine, folder);
  ASSERT_TRUE(start.process) << start.error;
  start.process->WaitForEnd();
  EXPECT_FALSE(start.process->StillActive());
  EXPECT_EQ(start.process->ExitCode(), 0u);
  EXPECT_TRUE(this->machine.Files().FileExists(JoinPath(folder, u"here.txt")));
}

}  // namespace
}  // namespace prn::contract
