// Start-up failures: the user is told, the process ends with exit code 1, no
// window exists, and the work folder of the failed run is removed again.

#include "startup_fixture.h"
#include "sys/win_errors.h"
#include "text/winpath.h"

namespace prn::testing {
namespace {

class StartupFailureTest : public StartupTest {
 protected:
  void ExpectFailedWithBox(int exitCode, const ustring& text) {
    EXPECT_EQ(exitCode, app::kExitStartupFailed);
    ASSERT_EQ(machine.dialogs.Boxes().size(), 1u);
    EXPECT_EQ(machine.dialogs.Boxes()[0].text, text);
    EXPECT_EQ(machine.dialogs.Boxes()[0].caption, u"出錯了");
    EXPECT_EQ(machine.dialogs.Boxes()[0].flags, 0x10u);  // OK button, error icon
    EXPECT_EQ(machine.dialogs.Boxes()[0].owner, 0u);
    EXPECT_TRUE(forms.created.empty());
    EXPECT_FALSE(forms.loopRan);
  }
  void ExpectWorkFolderGone() { EXPECT_FALSE(machine.files.DirectoryExists(kFirstWorkDir)); }
};

TEST_F(StartupFailureTest, MissingSetupIniShowsItsFullPathAndEndsWithoutWindows) {
  machine.files.RemoveFile(u"C:\\Package\\Setup.Ini");
  ExpectFailedWithBox(Run({}), u"配置文件（C:\\Package\\Setup.Ini）不存在，程序將退出！");
  ExpectWorkFolderGone();
}

TEST_F(StartupFailureTest, SetupIniIsLookedForInTheCurrentDirectoryNotBesideTheProgram) {
  machine.files.CreateDirectories(u"C:\\Desktop");
  machine.files.SetCurrentDirectory(u"C:\\Desktop");
  ExpectFailedWithBox(Run({u"EN"}), u"配置文件（C:\\Desktop\\Setup.Ini）不存在，程序將退出！");
}

TEST_F(StartupFailureTest, ASettingsErrorShowsItsTextAndEnds) {
  WriteSetupIni(ValidEntry() + u"[QX2]\r\nPrinterName = Quillon QX2\r\n");
  ExpectFailedWithBox(Run({}), u"QX2 配置文件出错，没有指定打印机硬件ID！");
  ExpectWorkFolderGone();
}

TEST_F(StartupFailureTest, ASettingsFileWithoutSectionsGivesTheIndexError) {
  WriteSetupIni(u"; no printer entries\r\n");
  ExpectFailedWithBox(Run({}), u"获取设置组的时候超出索引，最大为-1，输入为0");
  ExpectWorkFolderGone();
}

struct WriteFailureCase {
  const char16_t* blocked;  // below the work folder
  uint32_t code;
  const char16_t* message;
  const char16_t* file;     // the file named in the box, below the work folder
  friend void PrintTo(const WriteFailureCase& c, std::ostream* out) { *out << ToUtf8(c.blocked); }
};

class UnwritableResourceTest : public StartupFailureTest, public ::testing::WithParamInterface<WriteFailureCase> {};

TEST_P(UnwritableResourceTest, EndsWithTheSystemTextAndLeavesNoWorkFolder) {
  const ustring workDir = kFirstWorkDir;
  machine.files.FailWritesUnder(JoinPath(workDir, GetParam().blocked), GetParam().code);
  ExpectFailedWithBox(Run({}), ustring(GetParam().message) + u"\r\n" + JoinPath(workDir, GetParam().file));
  ExpectWorkFolderGone();
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnwritableResourceTest,
    ::testing::Values(
        WriteFailureCase{u"Lang", winerr::AccessDenied, u"Access is denied.", u"Lang\\Strings.ini"},
        WriteFailureCase{u"inst2k.dll", winerr::SharingViolation,
                         u"The process cannot access the file because it is being used by another process.",
                         u"inst2k.dll"},
        WriteFailureCase{u"inst2k64.dll", winerr::DiskFull, u"There is not enough space on the disk.",
                         u"inst2k64.dll"},
        WriteFailureCase{u"PrnSetup64.exe", winerr::AccessDenied, u"Access is denied.", u"PrnSetup64.exe"}));

TEST_F(StartupFailureTest, AMissingResourceEndsStartUpAndRemovesTheFolder) {
  machine.resources.Remove(u"INST2K64DLL");
  ExpectFailedWithBox(Run({}), u"The specified resource name cannot be found in the image file.\r\nINST2K64DLL");
  ExpectWorkFolderGone();
}

TEST_F(StartupFailureTest, AWindowsTemporaryFolderThatRefusesUsEndsStartUpWithItsText) {
  machine.files.FailWritesUnder(u"C:\\Windows\\Temp", winerr::AccessDenied);
  ExpectFailedWithBox(Run({}), ustring(u"Access is denied.\r\n") + kFirstWorkDir);
  EXPECT_FALSE(machine.files.DirectoryExists(kFirstWorkDir));
}

// Whatever someone put where the work folder would go, a folder, a file or a
// link, is someone else's: it is never written into, loaded from or removed.
TEST_F(StartupFailureTest, WhatIsPlantedWhereTheWorkFolderWouldGoIsLeftAloneAndTheNextNameIsTaken) {
  const ustring planted = JoinPath(kFirstWorkDir, u"inst2k.dll");
  WriteFile(machine.files, planted, "planted");
  const ustring second = u"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B3";
  const ustring elsewhere = JoinPath(kUserTemp, u"elsewhere");
  machine.files.CreateDirectories(elsewhere);
  ASSERT_EQ(machine.files.CreateLink(second, elsewhere), 0u);
  ustring workDir;
  std::string loaded;
  forms.whileRunning = [&] {
    workDir = startup->Values().g_strWorkDir;
    machine.files.ReadFile(startup->Values().g_strInst2kDll, loaded);
  };
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(workDir, u"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B4");
  EXPECT_EQ(loaded, "MZ inst2k");
  std::string bytes;
  EXPECT_EQ(machine.files.ReadFile(planted, bytes), 0u);
  EXPECT_EQ(bytes, "planted");
  EXPECT_TRUE(machine.files.ListFiles(elsewhere, u"*").empty());
  EXPECT_FALSE(machine.files.DirectoryExists(workDir));
}

// Only an administrator could re-point the Windows folder's SystemTemp, but
// a folder made through a link is refused all the same, before anything is
// written into it.
TEST_F(StartupFailureTest, AWorkFolderThatALinkWouldLeadElsewhereIsRefused) {
  const ustring elsewhere = JoinPath(kUserTemp, u"elsewhere");
  machine.files.CreateDirectories(elsewhere);
  ASSERT_EQ(machine.files.CreateLink(u"C:\\Windows\\SystemTemp", elsewhere), 0u);
  ExpectFailedWithBox(Run({}), u"The file cannot be accessed by the system.\r\n"
                               u"C:\\Windows\\SystemTemp\\PrnSetup-5EED00000000A1B2");
  EXPECT_TRUE(machine.files.ListFiles(elsewhere, u"*").empty());
  EXPECT_FALSE(machine.files.DirectoryExists(JoinPath(elsewhere, u"PrnSetup-5EED00000000A1B2")));
}

}  // namespace
}  // namespace prn::testing
