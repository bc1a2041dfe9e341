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

TEST_F(RunCMDTest, PipeThatCannotBeMadeAnswersMinusOne) {
  machine.processes.Script(u"tool.exe", {});
  machine.processes.FailPipes(winerr::NotEnoughMemory);
  EXPECT_EQ(RunCMD(machine.processes, u"tool.exe", output), -1);
  EXPECT_TRUE(trace.Contains(u"RunCMD 創建管道失敗，函數退出！"));
  EXPECT_TRUE(machine.processes.Started().empty());
}

TEST_F(RunCMDTest, OutputIsAppendedInChunksOfAtMost4096Bytes) {
  sim::ScriptedCommand talkative;
  talkative.run.output = std::string(5000, 'a') + "\xE4";
  machine.processes.Script(u"talk.exe", talkative);
  EXPECT_EQ(RunCMD(machine.processes, u"talk.exe", output), 1);
  ASSERT_EQ(output.size(), 3u);
  EXPECT_EQ(output[1], ustring(4096, u'a'));
  EXPECT_EQ(output[2], ustring(904, u'a') + u"\u00e4");
  ASSERT_EQ(machine.processes.Started().size(), 1u);
  EXPECT_TRUE(machine.processes.Started()[0].captured);
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

}  // namespace
}  // namespace prn
