#include "tools/prnsetup-tool/commands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "sim/machine.h"
#include "testing/test_files.h"

namespace prn::tool {
namespace {

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.files.CreateDirectories(u"C:\\Pkg\\I386");
    testing::WriteFile(machine.files, u"C:\\Pkg\\I386\\QX1.INF", "[Version]\n");
  }
  sim::Machine machine;
  std::ostringstream out, err;
};

TEST_F(ToolTest, SettingsPrintEveryFieldByItsNameInOrder) {
  testing::WriteUtf16File(machine.files, u"C:\\Pkg\\Setup.Ini",
                          u"[QX1]\nPrinterName=Quillon QX1\nPrinterHWID=H\nDriverDir=I386\nINF.2K=QX1.INF\n"
                          u"INF.X64=QX1.INF\nQuiteMode=1\nIndex=90\n");
  ASSERT_EQ(RunSettings({u"C:\\Pkg\\Setup.Ini", u"C:\\Pkg\\", 0x0409, 61}, machine.files, machine.codePage, out, err), 0);
  auto json = nlohmann::ordered_json::parse(out.str());
  ASSERT_TRUE(json.is_array());
  ASSERT_EQ(json.size(), 1u);
  const auto& entry = json[0];
  EXPECT_EQ(entry.size(), 43u);
  EXPECT_EQ(entry.begin().key(), "ViewMode");
  EXPECT_EQ((--entry.end()).key(), "PDFReader");
  EXPECT_EQ(entry["PrinterName"], "Quillon QX1");
  EXPECT_EQ(entry["Index"], 9);
  EXPECT_EQ(entry["QuiteMode"], true);
  EXPECT_EQ(entry["INF2K"], "C:\\Pkg\\I386\\QX1.INF");
}

TEST_F(ToolTest, SettingsErrorGoesToStandardErrorWithExitCodeOne) {
  testing::WriteUtf16File(machine.files, u"C:\\Pkg\\Setup.Ini", u"[Broken]\nPrinterName=Q\n");
  EXPECT_EQ(RunSettings({u"C:\\Pkg\\Setup.Ini", u"C:\\Pkg\\", 0x0409, 61}, machine.files, machine.codePage, out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "Broken 配置文件出错，没有指定打印机硬件ID！\n");
}

TEST_F(ToolTest, LangPrintsTheTextRecordForTheChosenRow) {
  testing::WriteUtf16File(machine.files, u"C:\\Lang\\Strings.ini",
                          u"[Settings]\nOEMCOmpanyIndex=1\n[OEMCOmpany]\nName.1=Pellnor\nName.3=Quillon\n"
                          u"[DialogText]\nInstallFailStr=failed:\\r\\n%s\n");
  ASSERT_EQ(RunLang({u"C:\\Lang\\Strings.ini", 3, 0x0409}, machine.files, machine.codePage, out, err), 0);
  auto json = nlohmann::ordered_json::parse(out.str());
  EXPECT_EQ(json["CompanyIndex"], 3);
  EXPECT_EQ(json["OEMManufactor"], "Quillon");
  EXPECT_EQ(json["InstallFailStr"], "failed:\r\n%s");
  EXPECT_EQ(json.begin().key(), "CompanyIndex");
  EXPECT_EQ((--json.end()).key(), "FileOrPathNotExist");
}

}  // namespace
}  // namespace prn::tool
