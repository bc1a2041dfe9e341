#include "tools/prnsetup-tool/scenario_file.h"

#include <gtest/gtest.h>

#include "text/error.h"

namespace prn::tool {
namespace {

ustring RefusalOf(std::string_view text) {
  try {
    ParseScenario(text);
  } catch (const Error& error) {
    return error.Text();
  }
  return u"(accepted)";
}

TEST(ScenarioFile, ReadsEveryFieldAndKeepsTheDefaultsOfAnEmptyObject) {
  Scenario full = ParseScenario(
      R"({"wow64": false, "winver": 51, "host": "hang", "answers": ["no", "ok"],
          "devices": [{"hwid": "Q1", "driver_installed": true}],
          "printers": [{"name": "Quillon QX1", "driver": "Quillon QX1"}]})");
  EXPECT_FALSE(full.wow64);
  EXPECT_EQ(full.winVer, 51);
  EXPECT_EQ(full.host, "hang");
  ASSERT_EQ(full.devices.size(), 1u);
  EXPECT_EQ(full.devices[0].port, "USB001");
  EXPECT_TRUE(full.devices[0].driverInstalled);
  ASSERT_EQ(full.printers.size(), 1u);
  EXPECT_EQ(full.printers[0].port, "LPT1:");
  EXPECT_EQ(full.answers.size(), 2u);

  Scenario empty = ParseScenario("{}");
  EXPECT_TRUE(empty.wow64);
  EXPECT_EQ(empty.winVer, 61);
  EXPECT_EQ(empty.host, "ok");
}

// Wrong types used to escape from the machine's set-up as the JSON library's
// own exception; every refusal is now a text that says what is wrong.
TEST(ScenarioFile, RefusesWrongTypesAndWordsWithATextThatSaysWhat) {
  EXPECT_NE(RefusalOf(R"({"printers": [{"name": 5}]})").find(u"not valid"), ustring::npos);
  EXPECT_NE(RefusalOf(R"({"devices": {"hwid": "Q1"}})").find(u"\"devices\" is not a list"), ustring::npos);
  EXPECT_NE(RefusalOf(R"({"printers": [{"driver": "D"}]})").find(u"no name"), ustring::npos);
  EXPECT_NE(RefusalOf(R"({"answers": ["maybe"]})").find(u"maybe"), ustring::npos);
  EXPECT_NE(RefusalOf(R"({"host": "slow"})").find(u"slow"), ustring::npos);
  EXPECT_NE(RefusalOf(R"({"winver": 7})").find(u"winver"), ustring::npos);
  // Found by fuzzing: beyond any integer type, converting it was undefined.
  EXPECT_NE(RefusalOf(R"({"winver": 1000000000055555555550})").find(u"winver"), ustring::npos);
  EXPECT_NE(RefusalOf(R"({"winver": 61.5})").find(u"winver"), ustring::npos);
  EXPECT_NE(RefusalOf("[1, 2").find(u"not valid"), ustring::npos);
}

}  // namespace
}  // namespace prn::tool
