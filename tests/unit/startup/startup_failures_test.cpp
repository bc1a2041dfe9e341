// Start-up failures: the user is told, the process ends with exit code 1, no
// window exists, and the work folder of the failed run is removed again while
// the empty tmp file beside it stays.

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
  void ExpectWorkFolderGoneAndTmpFileKept() {
    EXPECT_FALSE(machine.files.DirectoryExists(kFirstWorkDir));
    EXPECT_TRUE(machine.files.FileExists(ustring(kTemp) + u"tmp1A2B.tmp"));
  }
};

TEST_F(StartupFailureTest, MissingSetupIniShowsItsFullPathAndEndsWithoutWindows) {
  machine.files.RemoveFile(u"C:\\Package\\Setup.Ini");
  ExpectFailedWithBox(Run({}), u"配置文件（C:\\Package\\Setup.Ini）不存在，程序將退出！");
  ExpectWorkFolderGoneAndTmpFileKept();
}

TEST_F(StartupFailureTest, SetupIniIsLookedForInTheCurrentDirectoryNotBesideTheProgram) {
  machine.files.CreateDirectories(u"C:\\Desktop");
  machine.files.SetCurrentDirectory(u"C:\\Desktop");
  ExpectFailedWithBox(Run({u"EN"}), u"配置文件（C:\\Desktop\\Setup.Ini）不存在，程序將退出！");
}

TEST_F(StartupFailureTest, ASettingsErrorShowsItsTextAndEnds) {
  WriteSetupIni(ValidEntry() + u"[QX2]\r\nPrinterName = Quillon QX2\r\n");
  ExpectFailedWithBox(Run({}), u"QX2 配置文件出错，没有指定打印机硬件ID！");
  ExpectWorkFolderGoneAndTmpFileKept();
}

TEST_F(StartupFailureTest, ASettingsFileWithoutSectionsGivesTheIndexError) {
  WriteSetupIni(u"; no printer entries\r\n");
  ExpectFailedWithBox(Run({}), u"获取设置组的时候超出索引，最大为-1，输入为0");
  ExpectWorkFolderGoneAndTmpFileKept();
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
  ExpectWorkFolderGoneAndTmpFileKept();
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
  ExpectWorkFolderGoneAndTmpFileKept();
}

TEST_F(StartupFailureTest, NoUniqueTemporaryNameEndsStartUpBeforeAnyFolderExists) {
  machine.system.FailTempFileNames(winerr::AccessDenied);
  ExpectFailedWithBox(Run({}), ustring(u"Access is denied.\r\n") + kTemp);
  EXPECT_FALSE(machine.files.DirectoryExists(ustring(kTemp) + u"Pellnor"));
}

TEST_F(StartupFailureTest, AWorkFolderPlantedBeforehandIsLeftAloneAndTheNextNameIsTaken) {
  // Someone else's folder under our name has someone else's access list.
  const ustring planted = JoinPath(kFirstWorkDir, u"inst2k.dll");
  WriteFile(machine.files, planted, "planted");
  ustring workDir;
  std::string loaded;
  forms.whileRunning = [&] {
    workDir = shell->Values().g_strWorkDir;
    machine.files.ReadFile(shell->Values().g_strInst2kDll, loaded);
  };
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(workDir, ustring(kTemp) + u"Pellnor\\PrnSetup\\tmp1A2C");
  EXPECT_EQ(loaded, "MZ inst2k");
  std::string bytes;
  EXPECT_EQ(machine.files.ReadFile(planted, bytes), 0u);
  EXPECT_EQ(bytes, "planted");
  EXPECT_FALSE(machine.files.DirectoryExists(workDir));
}

}  // namespace
}  // namespace prn::testing
