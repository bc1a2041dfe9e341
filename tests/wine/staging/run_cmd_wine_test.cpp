#include <windows.h>

#include <gtest/gtest.h>

#include "app/run_cmd.h"
#include "sys/win32/win32_processes.h"
#include "text/ascii.h"
#include "wine_paths.h"

namespace prn {
namespace {

ustring Cmd(const ustring& arguments) { return u"\"" + testing::SystemFolder() + u"\\cmd.exe\" /c " + arguments; }

ustring Joined(const StringList& output) { return Join(output, u""); }

TEST(RunCMDUnderWine, CommandThatCannotStartAnswersMinusTwo) {
  win32::Win32Processes processes;
  StringList output{u"kept"};
  EXPECT_EQ(RunCMD(processes, u"C:\\no\\such\\program.exe /x", output), -2);
  EXPECT_EQ(output, StringList{u"kept"});
}

TEST(RunCMDUnderWine, SilentCommandAnswersZero) {
  win32::Win32Processes processes;
  StringList output;
  EXPECT_EQ(RunCMD(processes, Cmd(u"exit 0"), output), 0);
  EXPECT_TRUE(output.empty());
}

TEST(RunCMDUnderWine, OutputIsCapturedAndAnswersOne) {
  win32::Win32Processes processes;
  StringList output;
  EXPECT_EQ(RunCMD(processes, Cmd(u"echo prn-hello"), output), 1);
  EXPECT_NE(Joined(output).find(u"prn-hello"), ustring::npos);
}

TEST(RunCMDUnderWine, CommandLineOf256CharactersOrMoreIsPassedWhole) {
  win32::Win32Processes processes;
  ustring marker = ustring(300, u'x') + u"-end";
  StringList output;
  EXPECT_EQ(RunCMD(processes, Cmd(u"echo " + marker), output), 1);
  EXPECT_NE(Joined(output).find(marker), ustring::npos);
}

TEST(RunCMDUnderWine, ReturnsOnlyAfterTheChildEnded) {
  win32::Win32Processes processes;
  ustring flag = testing::TempFolder(u"prn-runcmd-flag.txt");
  DeleteFileW(win32::W(flag));
  // The child closes its output first and writes the file half a second
  // later: the end of the output alone does not mean the end of the child.
  ustring child = u"\"" + testing::ProgramFolder() + u"\\prn_test_child.exe\" close-output 500 \"" + flag + u"\"";
  StringList output;
  EXPECT_EQ(RunCMD(processes, child, output), 1);
  EXPECT_NE(GetFileAttributesW(win32::W(flag)), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(win32::W(flag));
}

TEST(Win32ProcessesUnderWine, DetachedProcessRunsInItsFolderAndGivesItsExitCode) {
  win32::Win32Processes processes;
  ustring folder = testing::TempFolder(u"prn-detached");
  CreateDirectoryW(win32::W(folder), nullptr);
  auto start = processes.StartDetached(Cmd(u"echo x>here.txt & exit 7"), folder);
  ASSERT_TRUE(start.process) << start.error;
  start.process->WaitForEnd();
  EXPECT_FALSE(start.process->StillActive());
  EXPECT_EQ(start.process->ExitCode(), 7u);
  ustring marker = folder + u"\\here.txt";
  EXPECT_NE(GetFileAttributesW(win32::W(marker)), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(win32::W(marker));
  RemoveDirectoryW(win32::W(folder));
}

}  // namespace
}  // namespace prn
