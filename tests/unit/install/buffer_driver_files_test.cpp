#include <gtest/gtest.h>

#include "install/buffer_driver_files.h"
#include "package_fixture.h"
#include "testing/test_files.h"
#include "testing/test_package.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {
namespace {

using testing::kInf;
using testing::kLibrary;
using testing::kStagedInf;
using testing::kStagingFolder;

class BufferDriverFilesTest : public testing::PackageTest {
 protected:
  bool Stage(InfChoice choice = InfChoice::SystemStoreCopy) { return BufferDriverFiles(Context(choice), oemInf); }
  void MarkStagedCopy() { testing::WriteFile(machine.files, ustring(kStagingFolder) + u"\\marker.txt", "old"); }
  bool Marked() { return machine.files.FileExists(ustring(kStagingFolder) + u"\\marker.txt"); }

  ustring oemInf;
  trace::Capture trace;
};

TEST_F(BufferDriverFilesTest, FirstInstallCopiesTheWholeTreeAndInstallsFromTheInfStore) {
  ASSERT_TRUE(Stage());
  EXPECT_EQ(Read(kStagedInf), Read(kInf));
  EXPECT_EQ(Read(ustring(kStagingFolder) + u"\\QX1.GPD"), testing::GpdText("1.0.3"));
  EXPECT_EQ(Read(ustring(kStagingFolder) + u"\\Sub\\QX1UI.DLL"), "MZ-ui");
  EXPECT_TRUE(machine.shell.Deletions().empty());  // nothing was there to delete

  EXPECT_EQ(FolderPart(oemInf), machine.infStore.Folder());
  EXPECT_EQ(Read(oemInf), Read(kInf));
  EXPECT_TRUE(trace.Contains(u"向系統註冊了Inf文件：" + oemInf));
  EXPECT_TRUE(trace.Contains(u"已註冊inf文件：" + oemInf));
  ustring length = ToDecimal(static_cast<long long>(Read(kInf).size()));
  EXPECT_TRUE(trace.Contains(u"System Inf（" + FileNamePart(oemInf) + u"）長度：" + length + u"，Src Inf（QX1.INF）長度：" +
                             length + u"。"));
  EXPECT_EQ(machine.deviceLibraries.ActiveLoads(kLibrary), 0);  // unloaded again
}

TEST_F(BufferDriverFilesTest, SameVersionWithinADayIsNotCopiedAgain) {
  ASSERT_TRUE(Stage());
  MarkStagedCopy();
  WriteSourceInf("01/16/2020,3.0.1.5");
  ASSERT_TRUE(Stage());
  EXPECT_TRUE(Marked());
  EXPECT_TRUE(machine.shell.Deletions().empty());
}

TEST_F(BufferDriverFilesTest, DatesTwoDaysApartStageAgainAndTheOldCopyGoesThroughTheShell) {
  ASSERT_TRUE(Stage());
  MarkStagedCopy();
  WriteSourceInf("01/17/2020,3.0.1.5");
  ASSERT_TRUE(Stage());
  EXPECT_FALSE(Marked());
  // The old copy was moved aside for the new one, then deleted.
  const ustring aside = ustring(kStagingFolder) + u"%old";
  ASSERT_EQ(machine.shell.Deletions().size(), 1u);
  EXPECT_EQ(machine.shell.Deletions()[0].path, aside);
  EXPECT_EQ(machine.shell.Deletions()[0].flags, 0x414u);
  EXPECT_EQ(machine.shell.Deletions()[0].owner, testing::kWindow);
  EXPECT_TRUE(trace.Contains(u"準備刪除舊版文件：" + aside));
  EXPECT_FALSE(machine.files.DirectoryExists(aside));
  EXPECT_EQ(Read(kStagedInf), Read(kInf));
}

TEST_F(BufferDriverFilesTest, NewerStagedCopyIsReplacedByThePackage) {
  testing::WriteFile(machine.files, kStagedInf, testing::PrinterInf("01/15/2021,3.1.0.0"));
  MarkStagedCopy();
  ASSERT_TRUE(Stage());
  EXPECT_FALSE(Marked());
  EXPECT_EQ(Read(kStagedInf), Read(kInf));
}

TEST_F(BufferDriverFilesTest, AFailedDeleteOfTheOldCopyIsTracedAndTheNewCopyStandsAnyway) {
  testing::WriteFile(machine.files, kStagedInf, testing::PrinterInf("01/15/2019,2.0"));
  MarkStagedCopy();
  machine.shell.FailDeletions(0x78);
  ASSERT_TRUE(Stage());
  EXPECT_TRUE(trace.Contains(u"刪除操作沒有成功完成，返回碼：0x78"));
  EXPECT_FALSE(Marked());
  EXPECT_EQ(Read(kStagedInf), Read(kInf));
}

// A copy that fails is never installed from, now or in a later run: the run
// ends with a clear text, the copy that stood before stays as it was, and
// the next run stages again.
TEST_F(BufferDriverFilesTest, ACopyThatFailsEndsTheRunAndLeavesTheStagedCopyAsItWas) {
  ASSERT_TRUE(Stage());
  MarkStagedCopy();
  const std::string before = Read(kStagedInf);
  const size_t registered = machine.files.ListFiles(machine.infStore.Folder(), u"*").size();
  WriteSourceInf("01/15/2021,3.1.0.0");
  machine.files.FailWritesUnder(ustring(kStagingFolder) + u"%new", 112);  // the disk is full
  try {
    Stage();
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_NE(error.Text().find(u"could not be copied to \"" + ustring(kStagingFolder) + u"\""), ustring::npos);
    EXPECT_NE(error.Text().find(u"There is not enough space on the disk."), ustring::npos) << ToUtf8(error.Text());
  }
  EXPECT_EQ(Read(kStagedInf), before);
  EXPECT_TRUE(Marked());
  EXPECT_FALSE(machine.files.DirectoryExists(ustring(kStagingFolder) + u"%new"));
  EXPECT_EQ(machine.files.ListFiles(machine.infStore.Folder(), u"*").size(), registered);  // nothing half copied was registered

  machine.files.FailWritesUnder(ustring(kStagingFolder) + u"%new", 0);
  ASSERT_TRUE(Stage());
  EXPECT_EQ(Read(kStagedInf), Read(kInf));
  EXPECT_FALSE(Marked());
}

// Administrator rights copy the driver folder into Program Files: it must be
// the package's own, not one named with ".." nor one a link leads to.
TEST_F(BufferDriverFilesTest, ADriverFolderOutsideThePackageOrBehindALinkIsNotStaged) {
  testing::WriteFile(machine.files, u"C:\\Elsewhere\\QX1.INF", testing::PrinterInf("01/15/2020,3.0.1.5"));
  testing::WriteFile(machine.files, u"C:\\Elsewhere\\QX1_64.INF", testing::PrinterInf("01/15/2020,3.0.1.5"));
  ASSERT_EQ(machine.files.DeleteTree(u"C:\\Package\\Driver"), 0u);
  ASSERT_EQ(machine.files.CreateLink(u"C:\\Package\\Driver", u"C:\\Elsewhere"), 0u);
  EXPECT_THROW(
      try { Stage(); } catch (const Error& error) {
        EXPECT_NE(error.Text().find(u"is reached through the link \"C:\\Package\\Driver\""), ustring::npos);
        throw;
      },
      Error);

  testing::WriteFile(machine.files, testing::kSetupIni,
                     "[Quillon QX1]\r\nPrinterName=Quillon QX1\r\nPrinterHWID=QuillonQX17A3F\r\n"
                     "DriverDir=..\\Elsewhere\r\nINF.2K=QX1.INF\r\nINF.X64=QX1_64.INF\r\n");
  auto outside = Context();
  const auto settings = testing::LoadSettingsFile(machine, testing::kSetupIni, testing::kPackageFolder);
  outside.settings = settings.get();
  EXPECT_THROW(
      try { BufferDriverFiles(outside, oemInf); } catch (const Error& error) {
        EXPECT_NE(error.Text().find(u"lies outside the package folder"), ustring::npos) << ToUtf8(error.Text());
        throw;
      },
      Error);
  EXPECT_FALSE(machine.files.DirectoryExists(kStagingFolder));
}

TEST_F(BufferDriverFilesTest, WindowsOn64BitStagesTheX64Inf) {
  auto run = Context();
  run.wow64 = true;
  ASSERT_TRUE(BufferDriverFiles(run, oemInf));
  EXPECT_TRUE(machine.files.FileExists(ustring(kStagingFolder) + u"\\QX1_64.INF"));
  EXPECT_TRUE(trace.Contains(u"Src Inf（QX1_64.INF）"));
}

TEST_F(BufferDriverFilesTest, FailedRegistrationEndsTheClassicRunButNotTheProgressFlow) {
  machine.infStore.copyFailure = 5;
  EXPECT_FALSE(Stage(InfChoice::SystemStoreCopy));
  EXPECT_TRUE(trace.Contains(u"CopyOemInf函數錯誤值：0x5"));
  EXPECT_EQ(oemInf, u"");

  ASSERT_TRUE(Stage(InfChoice::StagedCopy));
  EXPECT_EQ(oemInf, kStagedInf);
  EXPECT_TRUE(trace.Contains(u"向系統註冊了Inf文件：" + ustring(kStagedInf)));
}

TEST_F(BufferDriverFilesTest, ProgressFlowInstallsFromTheStagedCopy) {
  ASSERT_TRUE(Stage(InfChoice::StagedCopy));
  EXPECT_EQ(oemInf, kStagedInf);
}

TEST_F(BufferDriverFilesTest, ChosenInfOfAnotherTextLengthFallsBackToThePackageInf) {
  ASSERT_TRUE(Stage(InfChoice::StagedCopy));
  // Same DriverVer, so it stays staged, but its text was changed.
  testing::WriteFile(machine.files, kStagedInf, Read(kInf) + "; changed\r\n");
  ASSERT_TRUE(Stage(InfChoice::StagedCopy));
  EXPECT_EQ(oemInf, kInf);
  EXPECT_TRUE(trace.Contains(u"註冊Inf文件后发现文件不正确，使用原Inf文件：" + ustring(kInf)));
}

TEST_F(BufferDriverFilesTest, TextLengthFollowsTheByteOrderMark) {
  // The package INF in UTF-16 and its staged copy as ANSI text: same text, same length.
  std::string ansi = testing::PrinterInf("01/15/2020,3.0.1.5");
  testing::WriteUtf16File(machine.files, kInf, FromUtf8(ansi));
  testing::WriteFile(machine.files, kStagedInf, ansi);
  ASSERT_TRUE(Stage(InfChoice::StagedCopy));
  EXPECT_EQ(oemInf, kStagedInf);
}

TEST_F(BufferDriverFilesTest, NoProgramFilesFolderOrNoSelectionStagesNothing) {
  auto unselected = Context();
  unselected.m_iSelect = -1;
  EXPECT_FALSE(BufferDriverFiles(unselected, oemInf));
  machine.shell.SetProgramFilesFolder(std::nullopt);
  EXPECT_FALSE(Stage());
  EXPECT_FALSE(machine.files.DirectoryExists(kStagingFolder));
}

TEST_F(BufferDriverFilesTest, MissingLibraryRaisesDllNotFound) {
  machine.files.RemoveFile(kLibrary);
  machine.deviceLibraries.FailLoad(kLibrary, 126);
  try {
    Stage();
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"DllNotFound :\r\n" + ustring(kLibrary));
  }
}

TEST_F(BufferDriverFilesTest, MakerNameThatLeavesTheStagingRootIsRefusedBeforeAnyDelete) {
  testing::WriteFile(machine.files, u"C:\\Windows\\keep.txt", "system");
  auto run = Context();
  run.OEMManufactor = u"..\\..\\Windows";
  EXPECT_THROW(BufferDriverFiles(run, oemInf), Error);
  run.OEMManufactor = u"Quillon\\..\\..";
  EXPECT_THROW(BufferDriverFiles(run, oemInf), Error);
  EXPECT_TRUE(machine.shell.Deletions().empty());
  EXPECT_TRUE(machine.files.FileExists(u"C:\\Windows\\keep.txt"));
}

TEST_F(BufferDriverFilesTest, UnreadableDatesOfEqualVersionsRaiseTheFormatError) {
  testing::WriteFile(machine.files, kStagedInf, testing::PrinterInf("2020-01-15,3.0.1.5"));
  try {
    Stage();
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"Inf DriverVer Format Error: INF1<01/15/2020> INF2<2020-01-15>");
  }
}

}  // namespace
}  // namespace prn::install
