// The work folder of a run: where it lies, what it holds while the program
// runs, and that it is gone afterwards.

#include "startup_fixture.h"
#include "sys/win_errors.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::testing {
namespace {

class WorkFolderTest : public StartupTest {
 protected:
  std::string Read(const ustring& path) {
    std::string bytes;
    EXPECT_EQ(machine.files.ReadFile(path, bytes), 0u) << ToUtf8(path);
    return bytes;
  }
};

TEST_F(WorkFolderTest, HoldsTheExtractedFilesWhileRunningAndIsGoneAfterwards) {
  const ustring dir = kFirstWorkDir;
  bool privateFolder = false, listsExist = false;
  std::string dll, dll64, host;
  std::vector<uint32_t> replacements;
  forms.whileRunning = [&] {
    privateFolder = machine.system.IsPrivateFolder(dir);
    // Another process's attempt to swap what will be loaded or started.
    for (const char16_t* name : {u"inst2k.dll", u"inst2k64.dll", u"PrnSetup64.exe", u"Lang\\Strings.ini"}) {
      replacements.push_back(machine.files.WriteFile(JoinPath(dir, name), "swapped"));
      replacements.push_back(machine.files.RemoveFile(JoinPath(dir, name)));
    }
    dll = Read(JoinPath(dir, u"inst2k.dll"));
    dll64 = Read(JoinPath(dir, u"inst2k64.dll"));
    host = Read(JoinPath(dir, u"PrnSetup64.exe"));
    listsExist = startup->Values().g_slPrintersBefore.has_value() && startup->Values().g_slPrintersAfter.has_value();
  };
  ASSERT_EQ(Run({}), app::kExitNormal);

  const config::ProcessValues& values = startup->Values();
  EXPECT_EQ(values.g_strWorkDir, dir);
  EXPECT_EQ(values.g_strInst2kDll, dir + u"\\inst2k.dll");
  EXPECT_EQ(values.g_strInst2k64Dll, dir + u"\\inst2k64.dll");
  EXPECT_EQ(values.g_strPrnSetup64Exe, dir + u"\\PrnSetup64.exe");
  EXPECT_EQ(values.g_strSetupIni, u"C:\\Package\\Setup.Ini");
  EXPECT_TRUE(privateFolder);
  EXPECT_EQ(dll, "MZ inst2k");
  EXPECT_EQ(dll64, "MZ inst2k64");
  EXPECT_EQ(host, "MZ PrnSetup64");
  EXPECT_EQ(replacements, std::vector<uint32_t>(8, 32u));  // ERROR_SHARING_VIOLATION
  EXPECT_TRUE(listsExist);

  EXPECT_FALSE(machine.files.DirectoryExists(dir));
  EXPECT_TRUE(machine.files.ListFiles(kUserTemp, u"*").empty());
  EXPECT_FALSE(values.g_slPrintersBefore.has_value());
  EXPECT_FALSE(values.g_slPrintersAfter.has_value());
}

// A host still inside a driver install is never ended: the program waits
// for it, and only then removes the folder its files are in.
TEST_F(WorkFolderTest, AHostStillRunningAtExitIsWaitedForBeforeItsFolderGoes) {
  std::unique_ptr<sys::Process> host;
  forms.whileRunning = [&] {
    const ustring exe = startup->Values().g_strPrnSetup64Exe;
    host = machine.processes.StartDetached(exe, u"\"" + exe + u"\" /Handle 4660", kFirstWorkDir).process;
  };
  trace::Capture capture;
  ASSERT_EQ(Run({}), app::kExitNormal);
  ASSERT_TRUE(host);
  EXPECT_FALSE(host->StillActive());
  EXPECT_NE(host->ExitCode(), winerr::ProcessAborted);
  EXPECT_TRUE(capture.Contains(u"程序退出前，等待了仍在運行的64位進程：1"));
  EXPECT_FALSE(machine.files.DirectoryExists(kFirstWorkDir));
}

TEST_F(WorkFolderTest, CopiesTheResourceFolderBesideTheProgram) {
  WriteFile(machine.files, u"C:\\Package\\Resource\\Button11.EN.png", "png");
  WriteFile(machine.files, u"C:\\Package\\Resource\\more\\Close1.png", "close");
  std::string button, close;
  forms.whileRunning = [&] {
    button = Read(ustring(kFirstWorkDir) + u"\\Resource\\Button11.EN.png");
    close = Read(ustring(kFirstWorkDir) + u"\\Resource\\more\\Close1.png");
  };
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_strResourceDir, ustring(kFirstWorkDir) + u"\\Resource\\");
  EXPECT_EQ(button, "png");
  EXPECT_EQ(close, "close");
}

TEST_F(WorkFolderTest, TheResourceCopyComesWhenFirstNeededAndNotAfterTheCleanUp) {
  WriteFile(machine.files, u"C:\\Package\\Resource\\Close1.png", "close");
  config::ResourceCopy copy;
  copy.Prepare(machine.files, u"C:\\Package\\Resource", u"C:\\Work\\Resource");
  EXPECT_FALSE(machine.files.DirectoryExists(u"C:\\Work\\Resource"));
  copy.Wait();
  EXPECT_EQ(Read(u"C:\\Work\\Resource\\Close1.png"), "close");

  copy.Prepare(machine.files, u"C:\\Package\\Resource", u"C:\\Later\\Resource");
  copy.Settle();  // the folder is being removed: a copy not begun stays undone
  copy.StartInBackground();
  copy.Wait();
  EXPECT_FALSE(machine.files.DirectoryExists(u"C:\\Later\\Resource"));
}

TEST_F(WorkFolderTest, WithoutAResourceFolderNothingIsCopied) {
  bool copied = true;
  forms.whileRunning = [&] { copied = machine.files.DirectoryExists(ustring(kFirstWorkDir) + u"\\Resource"); };
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_strResourceDir, u"");
  EXPECT_FALSE(copied);
}

TEST_F(WorkFolderTest, TwoInstancesGetTwoFoldersAndKeepTheirFiles) {
  ustring secondDir;
  std::string firstDllAfterSecond;
  forms.whileRunning = [&] {
    RecordingFormHost otherForms;
    app::Startup second(machine.Platform(), otherForms);
    otherForms.whileRunning = [&] { secondDir = second.Values().g_strWorkDir; };
    EXPECT_EQ(second.Run({}), app::kExitNormal);
    firstDllAfterSecond = Read(ustring(kFirstWorkDir) + u"\\inst2k.dll");
  };
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_NE(secondDir, u"");
  EXPECT_NE(secondDir, startup->Values().g_strWorkDir);
  EXPECT_EQ(firstDllAfterSecond, "MZ inst2k");
}

// The user's own processes may turn any part of %TEMP% into a link at any
// time; the elevated run must not care, since nothing of it lies there.
TEST_F(WorkFolderTest, AJunctionInTheUsersTemporaryFolderLeadsNothingAstray) {
  const ustring attacker = u"C:\\Users\\User\\Attacker";
  WriteFile(machine.files, attacker + u"\\PrnSetup\\tmp1A2B\\inst2k.dll", "MZ attacker");
  ASSERT_EQ(machine.files.CreateLink(JoinPath(kUserTemp, u"Pellnor"), attacker), 0u);
  ustring workDir;
  forms.whileRunning = [&] { workDir = startup->Values().g_strWorkDir; };
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(workDir, kFirstWorkDir);
  EXPECT_EQ(machine.files.ListFiles(attacker + u"\\PrnSetup\\tmp1A2B", u"*"), StringList{u"inst2k.dll"});
  EXPECT_FALSE(machine.files.DirectoryExists(attacker + u"\\PrnSetup\\tmp1A2C"));
}

// Where the Windows folder has a SystemTemp, the work folder goes there,
// unless it lets only SYSTEM in.
TEST_F(WorkFolderTest, PrefersSystemTempWhereItExistsAndLetsUsIn) {
  machine.files.CreateDirectories(u"C:\\Windows\\SystemTemp");
  forms.whileRunning = [] {};
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_strWorkDir, u"C:\\Windows\\SystemTemp\\PrnSetup-5EED00000000A1B2");

  machine.files.FailWritesUnder(u"C:\\Windows\\SystemTemp", winerr::AccessDenied);
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_strWorkDir, u"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B4");
}

// The package's PLP_RW.DLL is copied at start and bound from the copy: a
// later change in the package folder does not reach the elevated process.
TEST_F(WorkFolderTest, ThePackagesUsbPortLibraryIsBoundFromItsCopy) {
  WriteFile(machine.files, JoinPath(kPackage, u"PLP_RW.DLL"), "MZ usb");
  std::string copied;
  ustring bound;
  forms.whileRunning = [&] {
    WriteFile(machine.files, JoinPath(kPackage, u"PLP_RW.DLL"), "MZ swapped later");
    copied = Read(ustring(kFirstWorkDir) + u"\\PLP_RW.DLL");
    bound = machine.usb.BoundFile();
  };
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(bound, ustring(kFirstWorkDir) + u"\\PLP_RW.DLL");
  EXPECT_EQ(copied, "MZ usb");
}

TEST_F(WorkFolderTest, VersionAndBitnessReachTheSettings) {
  WriteFile(machine.files, u"C:\\Package\\New\\QX1N.INF", "[Version]\r\n");
  WriteSetupIni(ValidEntry() +
                u"CompatibleName = Quillon QX1 New\r\nCompatibleID = QuillonQX1New\r\n"
                u"CompatibleDriverDir = New\r\nCompatibleINF.2K = QX1N.INF\r\nCompatibleINF.X64 = QX1N.INF\r\n");
  machine.system.version = sys::OsVersion{6, 2};
  machine.system.wow64 = true;
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_iWinVer, 62);
  EXPECT_TRUE(startup->Values().g_bWow64);
  EXPECT_EQ(startup->Values().installInfos.GetInfoItem(0).PrinterName, u"Quillon QX1 New");
  EXPECT_EQ(startup->Values().installInfos.GetInfoItem(0).DriverDir, u"C:\\Package\\New");
}

TEST_F(WorkFolderTest, TracesEachStepOfLoadingAndCleaningUp) {
  trace::Capture capture;
  ASSERT_EQ(Run({}), app::kExitNormal);
  const ustring dir = kFirstWorkDir;
  using Kind = trace::Line::Kind;
  const std::vector<trace::Line> expected = {
      {Kind::Enter, u"_ResLoad()", u""},
      {Kind::Message, u"准备从" + dir + u"創建臨時文件夾。", u"加载"},
      {Kind::Message, u"准备釋放資源文件：" + dir + u"\\Lang", u""},
      {Kind::Message, u"准备釋放ini文件：" + dir + u"\\Lang\\Strings.ini", u""},
      {Kind::Message, u"准备釋放inst2k文件：" + dir + u"\\inst2k.dll", u""},
      {Kind::Message, u"USB port library C:\\Package\\PLP_RW.DLL not found beside the program: no USB printers", u""},
      {Kind::Message, u"准备从文件" + dir + u"\\Lang\\Strings.ini加载界面字符串資源文件", u"加载"},
      {Kind::Leave, u"_ResLoad()", u""},
      {Kind::Message, u"准备刪除臨時文件夾：" + dir, u"清理"},
      {Kind::Message, u"程序將退出，byby ！", u""},
  };
  std::vector<trace::Line> lines;
  for (const auto& line : capture.Lines()) {
    if (line.text != u"No Compatible Informations !!!") lines.push_back(line);
  }
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(lines[i].kind, expected[i].kind) << i;
    EXPECT_EQ(lines[i].text, expected[i].text) << i;
    EXPECT_EQ(lines[i].tag, expected[i].tag) << i;
  }
}

}  // namespace
}  // namespace prn::testing
