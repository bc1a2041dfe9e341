// `prnsetup-tool install` on the example package: the scenario shapes the
// machine, and the report says what the user saw and what is installed.

#include "tools/prnsetup-tool/install_scenario.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

#include "sim/host_folder.h"

namespace prn::tool {
namespace {

class InstallCommandTest : public ::testing::Test {
 protected:
  nlohmann::json Install(const std::string& scenario) {
    InstallOptions options;
    options.setupIni = std::filesystem::path(PRN_SOURCE_DIR) / "examples/package/Setup.Ini";
    if (!scenario.empty()) {
      options.scenario = folder.Path() / "scenario.json";
      std::ofstream(*options.scenario) << scenario;
    }
    EXPECT_EQ(RunInstall(options, out, err), 0) << err.str();
    return nlohmann::json::parse(out.str());
  }

  sim::HostFolder folder;
  std::ostringstream out, err;
};

TEST_F(InstallCommandTest, AnEmptyMachineGetsTheQueueOfflineOnLpt1) {
  const auto report = Install("");
  EXPECT_EQ(report["code"], 0);
  EXPECT_EQ(report["printer"], "Quillon QX1");
  EXPECT_EQ(report["port"], "LPT1:");
  EXPECT_EQ(report["default"], false);
  ASSERT_EQ(report["boxes"].size(), 2u);
  EXPECT_EQ(report["boxes"][0]["answer"], "yes");
  EXPECT_EQ(report["printers"], nlohmann::json::parse(R"([{"name":"Quillon QX1","driver":"Quillon QX1","port":"LPT1:"}])"));
}

TEST_F(InstallCommandTest, AnAttachedPrinterOn64BitWindowsIsInstalledByTheHostOnce) {
  const auto report = Install(R"({"wow64": true, "devices": [{"hwid": "QuillonQX17A3F", "port": "USB001",
      "driver_installed": true}], "printers": [{"name": "Office", "driver": "Other", "port": "LPT2:"}]})");
  EXPECT_EQ(report["printer"], "Quillon QX1");
  EXPECT_EQ(report["port"], "USB001");
  EXPECT_EQ(report["default"], true);
  EXPECT_EQ(report["printers"].size(), 2u);
  EXPECT_EQ(report["boxes"].size(), 2u);
}

TEST_F(InstallCommandTest, AnsweringNoAndASlowSilentHostAreReportedAsSuch) {
  auto report = Install(R"({"answers": ["no"]})");
  EXPECT_EQ(report["boxes"].size(), 1u);
  EXPECT_EQ(report["boxes"][0]["answer"], "no");
  EXPECT_TRUE(report["printers"].empty());

  out.str("");
  report = Install(R"({"devices": [{"hwid": "QuillonQX17A3F", "port": "USB001", "driver_installed": true}],
      "host": "hang"})");
  // Waited for past ten minutes, never ended; it ended without a word and without a queue.
  EXPECT_EQ(report["code"], 0x20280001);
  EXPECT_EQ(report["printer"], "");
}

TEST_F(InstallCommandTest, ABrokenScenarioIsRefusedWithItsReason) {
  InstallOptions options;
  options.setupIni = std::filesystem::path(PRN_SOURCE_DIR) / "examples/package/Setup.Ini";
  options.scenario = folder.Path() / "scenario.json";
  std::ofstream(*options.scenario) << R"({"host": "sometimes"})";
  EXPECT_EQ(RunInstall(options, out, err), 1);
  EXPECT_NE(err.str().find("unknown host behaviour"), std::string::npos);
  EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace prn::tool
