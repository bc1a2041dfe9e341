#include "config/install_infos.h"

#include <gtest/gtest.h>

#include "sim/machine.h"
#include "testing/test_files.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::config {
namespace {

class InstallInfosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.files.SetCurrentDirectory(u"C:\\Pkg");
    machine.files.CreateDirectories(u"C:\\Pkg\\I386");
    testing::WriteFile(machine.files, u"C:\\Pkg\\I386\\QX1.INF", "[Version]\n");
    testing::WriteFile(machine.files, u"C:\\Pkg\\QX1.INF", "[Version]\n");
    testing::WriteFile(machine.files, u"C:\\Pkg\\Guide.pdf", "%PDF");
  }

  SettingsEnvironment Env(int winVer = 61, uint16_t langId = 0x0409) {
    return SettingsEnvironment{&machine.files, &machine.codePage, u"C:\\Pkg\\", langId, winVer};
  }

  TInstallInfos Load(ustring_view text, int winVer = 61, uint16_t langId = 0x0409) {
    testing::WriteUtf16File(machine.files, u"C:\\Pkg\\Setup.Ini", text);
    TInstallInfos infos;
    infos.LoadFromFile(u"C:\\Pkg\\Setup.Ini", Env(winVer, langId));
    return infos;
  }

  // The text of the error that loading raises.
  ustring LoadError(ustring_view text) {
    try {
      Load(text);
    } catch (const Error& e) {
      return e.Text();
    }
    return u"(no error)";
  }

  sim::Machine machine;
};

constexpr char16_t kMinimal[] =
    u"[QX1]\nPrinterName = Quillon QX1\nPrinterHWID = QuillonQX17A3F\nDriverDir = I386\\\n"
    u"INF.2K = QX1.INF\nINF.X64 = QX1.INF\n";

TEST_F(InstallInfosTest, DefaultsAndDivisionsByTen) {
  auto infos = Load(kMinimal);
  ASSERT_EQ(infos.GetCount(), 1);
  auto info = infos.GetInfoItem(0);
  EXPECT_EQ(info.ViewMode, 1);  // default 10
  EXPECT_EQ(info.Index, 0);
  EXPECT_EQ(info.CIDForVersion, 1024);  // no compatible driver
  EXPECT_EQ(info.DriverDir, u"C:\\Pkg\\I386");
  EXPECT_EQ(info.INF2K, u"C:\\Pkg\\I386\\QX1.INF");
  EXPECT_EQ(info.UninstallerOnRestart, u"C:\\Pkg\\I386\\PLPrnUni.exe");
  EXPECT_EQ(info.PrintWidth, 110);
  EXPECT_EQ(info.PrinterType, u"Flat");
  EXPECT_EQ(info.OfflineHWIDPre, u"SERENUM\\");
  EXPECT_EQ(info.FunctionDescribe, u"平推打印机");
  EXPECT_EQ(info.InstallGuide, u"ReadmeEN.txt");
  EXPECT_EQ(info.DefaultPort, u"USB");
  EXPECT_FALSE(info.QuiteMode);

  auto skinned = Load(ustring(kMinimal) + u"ViewMode = 25\nIndex = 90\n").GetInfoItem(0);
  EXPECT_EQ(skinned.ViewMode, 2);
  EXPECT_EQ(skinned.Index, 9);
  EXPECT_EQ(Load(ustring(kMinimal) + u"ViewMode = $14\nIndex = 5\n").GetInfoItem(0).ViewMode, 2);
  EXPECT_EQ(Load(ustring(kMinimal) + u"Index = 5\n").GetInfoItem(0).Index, 0);
  EXPECT_EQ(Load(ustring(kMinimal) + u"ViewMode = -15\n").GetInfoItem(0).ViewMode, -1);  // toward zero
}

TEST_F(InstallInfosTest, PresentEmptyKeysReadEmptyNotDefault) {
  auto info = Load(ustring(kMinimal) + u"DefaultPort =\nPrinterType=\nInstallGuide.EN =\n").GetInfoItem(0);
  EXPECT_EQ(info.DefaultPort, u"");
  EXPECT_EQ(info.PrinterType, u"");
  EXPECT_EQ(info.InstallGuide, u"");
}

TEST_F(InstallInfosTest, DriverFolderRules) {
  auto base = [](ustring_view driverDirLine) {
    return u"[QX1]\nPrinterName=Q\nPrinterHWID=H\n" + ustring(driverDirLine) + u"\nINF.2K=QX1.INF\nINF.X64=QX1.INF\n";
  };
  EXPECT_EQ(Load(base(u"DriverDir =")).GetInfoItem(0).DriverDir, u"C:\\Pkg");
  EXPECT_EQ(Load(base(u"DriverDir = I386")).GetInfoItem(0).DriverDir, u"C:\\Pkg\\I386");
  EXPECT_EQ(LoadError(base(u"")), u"QX1 配置文件出错，指定的驱动程序文件夹不存在！");
  // An absolute folder is still taken relative to the program folder.
  EXPECT_EQ(LoadError(base(u"DriverDir = C:\\Pkg\\I386")), u"QX1 配置文件出错，指定的驱动程序文件夹不存在！");
}

TEST_F(InstallInfosTest, ErrorTextsStartWithTheSectionName) {
  EXPECT_EQ(LoadError(u"[A]\nPrinterHWID=H\n"), u"A 配置文件出错，打印机名称不存在！");
  EXPECT_EQ(LoadError(u"[B]\nPrinterName=Q\n"), u"B 配置文件出错，没有指定打印机硬件ID！");
  EXPECT_EQ(LoadError(u"[C]\nPrinterName=Q\nPrinterHWID=H\nDriverDir=I386\nINF.2K=QX1.INF\n"),
            u"C 配置文件出错，没有指定INF文件！");
  EXPECT_EQ(LoadError(u"[D]\nPrinterName=Q\nPrinterHWID=H\nDriverDir=I386\nINF.2K=QX1.INF\nINF.X64=NONE.INF\n"),
            u"D 指定的INF文件不存在！");
}

TEST_F(InstallInfosTest, AFaultyEntryStopsLoadingAndKeepsEarlierOnes) {
  testing::WriteUtf16File(machine.files, u"C:\\Pkg\\Setup.Ini",
                          ustring(kMinimal) + u"[Second]\nPrinterName=Q2\n[Third]\nPrinterName=Q3\n");
  TInstallInfos infos;
  try {
    infos.LoadFromFile(u"C:\\Pkg\\Setup.Ini", Env());
    FAIL() << "the second entry has no hardware ID";
  } catch (const Error& e) {
    EXPECT_EQ(e.Text(), u"Second 配置文件出错，没有指定打印机硬件ID！");
  }
  ASSERT_EQ(infos.GetCount(), 3);
  EXPECT_EQ(infos.GetInfoItem(0).PrinterName, u"Quillon QX1");
  EXPECT_EQ(infos.GetInfoItem(1).PrinterName, u"");
  EXPECT_EQ(infos.GetInfoItem(2).PrinterName, u"");
}

TEST_F(InstallInfosTest, CompatibleDriverReplacesThePrimaryFromItsVersion) {
  ustring text = ustring(kMinimal) +
                 u"CompatibleName = Quillon QX1 Class\nCompatibleID = QuillonClassHWID\n"
                 u"CompatibleDriverDir = Compat\nCompatibleINF.2K = C2K.INF\nCompatibleINF.X64 = CX64.INF\n";
  auto win7 = Load(text, 61).GetInfoItem(0);
  EXPECT_EQ(win7.PrinterName, u"Quillon QX1");
  EXPECT_EQ(win7.CIDForVersion, 62);
  auto win8 = Load(text, 62).GetInfoItem(0);
  EXPECT_EQ(win8.PrinterName, u"Quillon QX1 Class");
  EXPECT_EQ(win8.PrinterHWID, u"QuillonClassHWID");
  EXPECT_EQ(win8.DriverDir, u"C:\\Pkg\\Compat");  // not checked for existence
  EXPECT_EQ(win8.INF2K, u"C:\\Pkg\\Compat\\C2K.INF");
  EXPECT_EQ(win8.INFX64, u"C:\\Pkg\\Compat\\CX64.INF");
  EXPECT_EQ(win8.CompatibleName, u"Quillon QX1 Class");  // kept
}

TEST_F(InstallInfosTest, NoCompatibleNameIsTraced) {
  trace::Capture capture;
  Load(kMinimal);
  EXPECT_TRUE(capture.Contains(u"No Compatible Informations !!!"));
}

TEST_F(InstallInfosTest, LinkRule) {
  auto info = Load(ustring(kMinimal) + u"Button2Link.EN = https://example.test/qx1\nButton3Link.EN = Guide.pdf\n"
                                       u"Button4Link.EN = Missing.pdf\nButton5Link.EN = hTTp-like.txt\n")
                  .GetInfoItem(0);
  EXPECT_EQ(info.Button2Link, u"https://example.test/qx1");
  EXPECT_EQ(info.Button3Link, u"C:\\Pkg\\Guide.pdf");
  EXPECT_EQ(info.Button4Link, u"");
  EXPECT_EQ(info.Button5Link, u"");  // not "http://": a file of the package, and not there
  EXPECT_EQ(info.Button6Link, u"");
}

TEST_F(InstallInfosTest, LanguageSuffixFollowsTheSystemLanguageWithoutFallBack) {
  ustring text = ustring(kMinimal) + u"InstallGuide.EN = GuideEN.pdf\nInstallGuide.TC = GuideTC.pdf\n"
                                     u"QuickGuide.EN = QuickEN.pdf\n";
  EXPECT_EQ(Load(text, 61, 0x0409).GetInfoItem(0).InstallGuide, u"GuideEN.pdf");
  auto tc = Load(text, 61, 0x0C04).GetInfoItem(0);
  EXPECT_EQ(tc.InstallGuide, u"GuideTC.pdf");
  EXPECT_EQ(tc.QuickGuide, u"");  // no fall-back to .EN
  auto sc = Load(text, 61, 0x0804).GetInfoItem(0);
  EXPECT_EQ(sc.InstallGuide, u"ReadmeEN.txt");
  EXPECT_EQ(sc.FunctionDescribe, u"平推打印机");
  EXPECT_EQ(SettingsLanguageSuffix(0x1404), u"TC");
  EXPECT_EQ(SettingsLanguageSuffix(0x1004), u"SC");
  EXPECT_EQ(SettingsLanguageSuffix(0x0407), u"EN");
}

TEST_F(InstallInfosTest, IndexErrorNamesLastIndexAndRequested) {
  auto infos = Load(u"; no sections\n");
  EXPECT_EQ(infos.GetCount(), 0);
  try {
    infos.GetInfoItem(0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Text(), u"获取设置组的时候超出索引，最大为-1，输入为0");
  }
}

TEST_F(InstallInfosTest, AMissingFileLeavesTheListEmpty) {
  TInstallInfos infos;
  infos.LoadFromFile(u"C:\\Pkg\\Nothing.Ini", Env());
  EXPECT_EQ(infos.GetCount(), 0);
}

TEST_F(InstallInfosTest, GetInfoItemHandsOutACopy) {
  auto infos = Load(kMinimal);
  auto copy = infos.GetInfoItem(0);
  copy.PrinterName = u"changed";
  EXPECT_EQ(infos.GetInfoItem(0).PrinterName, u"Quillon QX1");
}

}  // namespace
}  // namespace prn::config
