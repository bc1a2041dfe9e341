// The small system questions of start-up, on the simulated system.

#include <gtest/gtest.h>

#include "sys/system_queries.h"
#include "sim/machine.h"

namespace prn::sys {
namespace {

TEST(LanguageCodeSuffix, CommandLineCodeWinsOverTheSystemLanguage) {
  sim::Machine machine;
  machine.system.langId = 0x0409;
  EXPECT_EQ(LanguageCodeSuffix(u"_", u"tc", machine.system), u"_CHT");
  EXPECT_EQ(LanguageCodeSuffix(u"_", u"Sc", machine.system), u"_CN");
  machine.system.langId = 0x0404;
  EXPECT_EQ(LanguageCodeSuffix(u"RC_", u"EN", machine.system), u"RC_EN");
  machine.system.langId = 0x0407;  // German
  EXPECT_EQ(LanguageCodeSuffix(u"_", u"", machine.system), u"_EN");
}

TEST(GetWinVer, IsMajorTimesTenPlusMinorAndZeroWhenTheQueryFails) {
  sim::Machine machine;
  for (auto [major, minor, expected] : {std::tuple{5u, 1u, 51}, {6u, 0u, 60}, {6u, 1u, 61}, {6u, 2u, 62}}) {
    machine.system.version = sys::OsVersion{major, minor};
    EXPECT_EQ(GetWinVer(machine.system), expected);
  }
  machine.system.version.reset();
  EXPECT_EQ(GetWinVer(machine.system), 0);
}

TEST(IsWow64, IsFalseWhenTheSystemLacksTheQuery) {
  sim::Machine machine;
  machine.system.wow64 = true;
  EXPECT_TRUE(IsWow64(machine.system));
  machine.system.wow64.reset();
  EXPECT_FALSE(IsWow64(machine.system));
}

TEST(SystemErrorText, NamesTheCodeWhenTheSystemHasNoText) {
  sim::Machine machine;
  EXPECT_EQ(SystemErrorText(machine.system, 5, u"C:\\x"), u"Access is denied.\r\nC:\\x");
  EXPECT_EQ(SystemErrorText(machine.system, 0xE000020B, u""), u"Windows error 3758096907 (0xE000020B).");
}

}  // namespace
}  // namespace prn::sys
