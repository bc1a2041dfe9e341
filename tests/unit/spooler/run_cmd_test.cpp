#include <gtest/gtest.h>

#include "spooler/print_ui.h"
#include "sim/machine.h"
#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn {
namespace {

class RunCMDTest : public ::testing::Test {
 protected:
  sim::Machine machine;
  StringList output{u"kept"};
  trace::Capture trace;
};

TEST_F(RunCMDTest, CommandThatCannotStartAnswersMinusTwoAndLeavesOutput) {
  EXPECT_EQ(RunCMD(machine.processes, u"no-such-program.exe /x", output), -2);
  EXPECT_EQ(output, StringList{u"kept"});
  EXPECT_TRUE(trace.Contains(u"RunCMD 創建調用進程失敗，函數退出！"));
  EXPECT_TRUE(machine.processes.Started().empty());
}

TEST_F(RunCMDTest, PipeThatCannotBeMadeAnswersMinusOne) {
  machine.processes.Script(u"tool.exe", {});
  machine.processes.FailPipes(winerr::NotEnoughMemory);
  EXPECT_EQ(RunCMD(machine.processes, u"tool.exe", output), -1);
  EXPECT_TRUE(trace.Contains(u"RunCMD 創建管道失敗，函數退出！"));
  EXPECT_TRUE(machine.processes.Started().empty());
}

TEST_F(RunCMDTest, SilentProgramAnswersZeroOnlyAfterItEnded) {
  bool ended = false;
  sim::ScriptedCommand silent;
  silent.run.activePolls = 5;
  silent.run.atEnd = [&] { ended = true; };
  machine.processes.Script(u"cmd /c exit 0", silent);
  EXPECT_EQ(RunCMD(machine.processes, u"cmd /c exit 0", output), 0);
  EXPECT_TRUE(ended);
  EXPECT_EQ(output, StringList{u"kept"});
  ASSERT_EQ(machine.processes.Started().size(), 1u);
  EXPECT_TRUE(machine.processes.Started()[0].captured);
}

TEST_F(RunCMDTest, OutputIsAppendedInChunksOfAtMost4096Bytes) {
  sim::ScriptedCommand talkative;
  talkative.run.output = std::string(5000, 'a') + "\xE4";
  machine.processes.Script(u"talk.exe", talkative);
  EXPECT_EQ(RunCMD(machine.processes, u"talk.exe", output), 1);
  ASSERT_EQ(output.size(), 3u);
  EXPECT_EQ(output[1], ustring(4096, u'a'));
  EXPECT_EQ(output[2], ustring(904, u'a') + u"\u00e4");
}

TEST_F(RunCMDTest, BrokenPipeIsTracedAndTheProcessStillWaitedFor) {
  bool ended = false;
  sim::ScriptedCommand broken;
  broken.run.output = "partial";
  broken.run.readFails = true;
  broken.run.atEnd = [&] { ended = true; };
  machine.processes.Script(u"flaky.exe", broken);
  EXPECT_EQ(RunCMD(machine.processes, u"flaky.exe", output), 1);
  EXPECT_TRUE(trace.Contains(u"RunCMD 讀取命名管道失敗，函數退出！"));
  EXPECT_TRUE(ended);
}

TEST_F(RunCMDTest, LongCommandLineIsPassedWhole) {
  ustring longLine = u"tool.exe " + ustring(600, u'x');
  machine.processes.Script(longLine, {});
  EXPECT_EQ(RunCMD(machine.processes, longLine, output), 0);
  ASSERT_EQ(machine.processes.Started().size(), 1u);
  EXPECT_EQ(machine.processes.Started()[0].commandLine, longLine);
}

}  // namespace
}  // namespace prn
