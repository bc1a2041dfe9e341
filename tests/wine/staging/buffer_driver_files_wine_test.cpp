#include <windows.h>

#include <gtest/gtest.h>

#include "config/install_infos.h"
#include "install/buffer_driver_files.h"
#include "sys/win32/device_library.h"
#include "sys/win32/platform.h"
#include "text/ascii.h"
#include "wine_paths.h"

namespace prn::install {
namespace {

constexpr char16_t kMaker[] = u"PrnStagingTest";

// The installer lives in its package folder, as shipped: its driver folders
// lie there.
class PackageSystem : public win32::Win32SystemInfo {
 public:
  ustring ExecutableFolder() const override { return testing::WinePath(PRN_SOURCE_DIR "/examples/package"); }
};

// The example package staged for real: Wine's shell, file system, INF store
// and the x86_64 build of the device-install library beside this program.
class BufferDriverFilesUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.deviceLibraries = &libraries;
    platform.system = &packageSystem;

    config::SettingsEnvironment env;
    env.files = &files;
    env.codePage = &codePage;
    env.programFolder = testing::WinePath(PRN_SOURCE_DIR "/examples/package/");
    env.winVer = 61;
    settings.LoadFromFile(env.programFolder + u"Setup.Ini", env);
    for (int i = 0; i < settings.GetCount(); ++i) {
      if (settings.GetInfoItem(i).PrinterName == u"Quillon QX1") select = i;
    }
    ASSERT_GE(select, 0) << "the example package lists Quillon QX1";

    programFiles = *shell.ProgramFilesFolder(0);
    makerFolder = JoinPath(programFiles, kMaker);
    stagingFolder = makerFolder + u"\\Printer Drivers\\Quillon QX1";
    files.DeleteTree(makerFolder);
  }
  void TearDown() override { files.DeleteTree(makerFolder); }

  StagingContext Context(InfChoice choice) {
    StagingContext run;
    run.platform = platform;
    run.settings = &settings;
    run.m_iSelect = select;
    run.OEMManufactor = kMaker;
    run.inst2kDll = testing::ProgramFolder() + u"\\inst2k.dll";
    run.wow64 = true;
    run.infChoice = choice;
    return run;
  }

  static ustring InfStore() {
    wchar_t windows[MAX_PATH];
    UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    return win32::U(windows, length) + u"\\inf";
  }

  win32::Win32Platform machine;
  win32::Win32DeviceLibraries libraries;
  PackageSystem packageSystem;
  win32::Win32FileSystem& files = machine.files;
  win32::Win32CodePage& codePage = machine.codePage;
  win32::Win32Shell& shell = machine.shell;
  sys::Platform platform = machine.Platform();
  config::TInstallInfos settings;
  int select = -1;
  ustring programFiles, makerFolder, stagingFolder;
};

TEST_F(BufferDriverFilesUnderWine, StagesUnderProgramFilesAndRegistersInWinesInfStore) {
  ustring oemInf;
  ASSERT_TRUE(BufferDriverFiles(Context(InfChoice::SystemStoreCopy), oemInf));
  EXPECT_TRUE(files.FileExists(stagingFolder + u"\\QX1.INF"));
  EXPECT_TRUE(files.FileExists(stagingFolder + u"\\QX1.GPD"));
  EXPECT_TRUE(files.FileExists(stagingFolder + u"\\QXPAPER.GPD"));
  // Wine keeps the INF's own name in the store where Windows makes an oemN.inf.
  EXPECT_TRUE(files.FileExists(oemInf)) << ToUtf8(oemInf);
  EXPECT_TRUE(EqualsNoCase(FolderPart(oemInf), InfStore())) << ToUtf8(oemInf);

  // Same version: the staged copy stays as it is.
  ASSERT_EQ(files.WriteFile(stagingFolder + u"\\marker.txt", "kept"), 0u);
  ASSERT_TRUE(BufferDriverFiles(Context(InfChoice::StagedCopy), oemInf));
  EXPECT_EQ(oemInf, stagingFolder + u"\\QX1.INF");
  EXPECT_TRUE(files.FileExists(stagingFolder + u"\\marker.txt"));
}

TEST_F(BufferDriverFilesUnderWine, NewerStagedCopyIsDeletedThroughTheShellAndReplaced) {
  ASSERT_EQ(files.CreateDirectories(stagingFolder), 0u);
  ASSERT_EQ(files.WriteFile(stagingFolder + u"\\QX1.INF", "[Version]\r\nDriverVer=01/01/2030,9.0\r\n"), 0u);
  ASSERT_EQ(files.WriteFile(stagingFolder + u"\\stale.txt", "stale"), 0u);
  ustring oemInf;
  ASSERT_TRUE(BufferDriverFiles(Context(InfChoice::StagedCopy), oemInf));
  EXPECT_FALSE(files.FileExists(stagingFolder + u"\\stale.txt"));
  std::string staged, source;
  files.ReadFile(stagingFolder + u"\\QX1.INF", staged);
  files.ReadFile(settings.GetInfoItem(select).DriverDir + u"\\QX1.INF", source);
  EXPECT_EQ(staged, source);
}

}  // namespace
}  // namespace prn::install
