#include <gtest/gtest.h>

#include "spooler/print_ui.h"
#include "sim/machine.h"
#include "sim/printer_installers.h"
#include "testing/test_files.h"

namespace prn::sim {
namespace {

TEST(ParsePrintUiCommand, ReadsCommandOptionsAndFlags) {
  auto command = ParsePrintUiCommand({u"/if", u"/b", u"Q X", u"/f", u"a.inf", u"/r", u"LPT1:", u"/m", u"Q X", u"/q"});
  ASSERT_TRUE(command);
  EXPECT_EQ(command->command, u"if");
  EXPECT_EQ(command->options.at(u'b'), u"Q X");
  EXPECT_EQ(command->options.at(u'r'), u"LPT1:");
  EXPECT_TRUE(command->quiet);
}

TEST(ParsePrintUiCommand, RefusesWhatPrintUiWouldNotTake) {
  EXPECT_FALSE(ParsePrintUiCommand({u"/if", u"/b"}));                  // value missing
  EXPECT_FALSE(ParsePrintUiCommand({u"/if", u"/b", u"Q", u"X"}));      // stray token
  EXPECT_FALSE(ParsePrintUiCommand({u"/if", u"/dl", u"/n", u"Q"}));    // two commands
  EXPECT_FALSE(ParsePrintUiCommand({u"/b", u"Q", u"/q"}));             // no command
  EXPECT_FALSE(ParsePrintUiCommand({u"/IF", u"/b", u"Q"}));            // switches are case-sensitive
}

class Rundll32Test : public ::testing::Test {
 protected:
  Rundll32Test() {
    machine.spooler.PutDriver(u"Quillon QX1");
    machine.spooler.PutDriver(u"Spare");
    machine.spooler.PutPrinter(u"Quillon QX1", u"Quillon QX1", u"LPT1:");
  }
  int32_t Run(const ustring& arguments) {
    StringList output;
    return RunCMD(machine.processes, u"C:\\Windows\\system32\\rundll32.exe printui.dll,PrintUIEntry " + arguments,
                  output);
  }

  Machine machine;
};

TEST_F(Rundll32Test, DeletesPrintersAndUnusedDrivers) {
  EXPECT_EQ(Run(u"/dl /n \"Quillon QX1\" /h \"intel\" /q"), 0);
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Quillon QX1"));
  EXPECT_EQ(Run(u"/dd /m \"Spare\" /h \"intel\" /q"), 0);
  EXPECT_FALSE(machine.spooler.FindDriver(u"Spare"));
  EXPECT_EQ(Run(u"/dd /m \"Quillon QX1\" /h \"intel\" /q"), 0);
  EXPECT_FALSE(machine.spooler.FindDriver(u"Quillon QX1"));
}

TEST_F(Rundll32Test, DriverInUseStays) {
  EXPECT_EQ(Run(u"/dd /m \"Quillon QX1\" /q"), 0);
  EXPECT_TRUE(machine.spooler.FindDriver(u"Quillon QX1"));
}

TEST_F(Rundll32Test, NameBrokenByAnEmbeddedQuoteDeletesNothing) {
  machine.spooler.PutPrinter(u"Q\"X", u"Spare", u"LPT2:");
  EXPECT_EQ(Run(u"/dl /n \"Q\"X\" /q"), 0);
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Q\"X"));
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon QX1"));
}

TEST_F(Rundll32Test, OtherEntriesDoNothing) {
  StringList output;
  EXPECT_EQ(RunCMD(machine.processes, u"rundll32 shell32.dll,Control_RunDLL /dl /n \"Quillon QX1\"", output), 0);
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon QX1"));
}

TEST_F(Rundll32Test, InstallFromAnInfWithoutDataFileLeavesTheDataFileEmpty) {
  testing::WriteFile(machine.files, u"C:\\P\\Q.INF",
                     "[Manufacturer]\r\nQuillon=Models\r\n[Models]\r\n\"Quillon QX2\"=QX2.Install,ID2\r\n");
  EXPECT_EQ(Run(u"/if /b \"Desk\" /f \"C:\\P\\Q.INF\" /r \"lpt2:\" /m \"quillon qx2\" /q"), 0);
  ASSERT_TRUE(machine.spooler.FindPrinter(u"Desk"));
  EXPECT_EQ(machine.spooler.FindPrinter(u"Desk")->pDriverName, u"Quillon QX2");  // the INF's spelling
  EXPECT_EQ(machine.spooler.FindDriver(u"Quillon QX2")->pDataFile, u"");
}

TEST_F(Rundll32Test, InstallWithANameBrokenByAnEmbeddedQuoteCreatesNothing) {
  testing::WriteFile(machine.files, u"C:\\P\\Q.INF",
                     "[Manufacturer]\r\nQuillon=Models\r\n[Models]\r\n\"Quillon QX2\"=QX2.Install,ID2\r\n");
  EXPECT_EQ(Run(u"/if /b \"Desk\"X\" /f \"C:\\P\\Q.INF\" /r \"LPT2:\" /m \"Quillon QX2\" /q"), 0);
  EXPECT_EQ(Run(u"/if /b \"Desk\" /f \"C:\\P\\Q.INF\" /r \"LPT2:\" /m \"Quillon \"QX2\" /q"), 0);
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Desk"));
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Desk\"X"));
  EXPECT_FALSE(machine.spooler.FindDriver(u"Quillon QX2"));
}

TEST_F(Rundll32Test, MissingInfCreatesNothing) {
  EXPECT_EQ(Run(u"/if /b \"Desk\" /f \"C:\\P\\none.INF\" /r \"LPT2:\" /m \"Quillon QX1\" /q"), 0);
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Desk"));
}

}  // namespace
}  // namespace prn::sim
