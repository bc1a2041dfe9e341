// Which language file start-up extracts, and how the command line is read.

#include "app/startup.h"
#include "startup_fixture.h"

namespace prn::testing {
namespace {

using ui::FormKind;

struct LanguageCase {
  uint16_t langId;
  const char16_t* notice;  // the NoticeTitle of the resource that must be loaded
  friend void PrintTo(const LanguageCase& c, std::ostream* out) { *out << std::hex << "0x" << c.langId; }
};

class SystemLanguageTest : public StartupTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(SystemLanguageTest, WithoutParametersTheSystemLanguageChoosesTheResource) {
  machine.system.langId = GetParam().langId;
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_strLangCode, u"");
  EXPECT_EQ(startup->Values().strInstaller.NoticeTitle, GetParam().notice);
}

INSTANTIATE_TEST_SUITE_P(LanguageIds, SystemLanguageTest,
                         ::testing::Values(LanguageCase{0x0404, u"Notice CHT"}, LanguageCase{0x0C04, u"Notice CHT"},
                                           LanguageCase{0x1404, u"Notice CHT"}, LanguageCase{0x0804, u"Notice CN"},
                                           LanguageCase{0x1004, u"Notice CN"}, LanguageCase{0x0409, u"Notice EN"},
                                           LanguageCase{0x0407, u"Notice EN"}, LanguageCase{0x0411, u"Notice EN"}));

TEST_F(StartupTest, TheChosenResourceIsWrittenByteForByteToStringsIni) {
  machine.system.langId = 0x0409;
  std::string written;
  forms.whileRunning = [&] {
    machine.files.ReadFile(startup->Values().g_strLangIni, written);
  };
  ASSERT_EQ(Run({u"TC"}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_strLangIni, ustring(kFirstWorkDir) + u"\\Lang\\Strings.ini");
  EXPECT_EQ(written, LanguageResource(u"CHT"));
}

TEST_F(StartupTest, LowerCaseScSelectsSimplifiedChineseAndIsKeptAsTyped) {
  machine.system.langId = 0x0404;
  ASSERT_EQ(Run({u"sc"}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_strLangCode, u"sc");
  EXPECT_EQ(startup->Values().strInstaller.NoticeTitle, u"Notice CN");
}

TEST_F(StartupTest, AnUnknownLanguageCodeIsIgnoredAndTheSystemLanguageApplies) {
  machine.system.langId = 0x0804;
  ASSERT_EQ(Run({u"FR"}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_strLangCode, u"");
  EXPECT_EQ(startup->Values().strInstaller.NoticeTitle, u"Notice CN");
  EXPECT_EQ(forms.created.front(), FormKind::TFormMain);
}

TEST_F(StartupTest, UnknownCodeFollowedByManagerMakesTheManagerTheMainWindow) {
  machine.system.langId = 0x0409;
  ASSERT_EQ(Run({u"FR", u"MANAGER"}), app::kExitNormal);
  EXPECT_EQ(startup->Values().strInstaller.NoticeTitle, u"Notice EN");
  ASSERT_FALSE(forms.created.empty());
  EXPECT_EQ(forms.created.front(), FormKind::TFormManager);
  EXPECT_NE(std::find(forms.created.begin(), forms.created.end(), FormKind::TFormMain), forms.created.end());
}

TEST_F(StartupTest, ManagerAsTheOnlyParameterOpensTheInstallerWindow) {
  ASSERT_EQ(Run({u"MANAGER"}), app::kExitNormal);
  EXPECT_EQ(startup->Values().g_strLangCode, u"");
  ASSERT_GE(forms.created.size(), 2u);
  EXPECT_EQ(forms.created[0], FormKind::TFormMain);
  EXPECT_EQ(forms.created[1], FormKind::TFormManager);
}

TEST_F(StartupTest, LowerCaseManagerInPositionTwoOpensTheManager) {
  ASSERT_EQ(Run({u"en", u"manager"}), app::kExitNormal);
  EXPECT_EQ(forms.created.front(), FormKind::TFormManager);
  EXPECT_EQ(startup->Values().strInstaller.NoticeTitle, u"Notice EN");
}

TEST(ParseCommandLine, TakesParametersByPositionAndIgnoresTheRest) {
  EXPECT_EQ(app::ParseCommandLine({u"Tc", u"Manager", u"extra"}).langCode, u"Tc");
  EXPECT_TRUE(app::ParseCommandLine({u"Tc", u"Manager", u"extra"}).manager);
  EXPECT_FALSE(app::ParseCommandLine({u"EN", u"MANAGERS"}).manager);
  EXPECT_FALSE(app::ParseCommandLine({u"EN", u"x", u"MANAGER"}).manager);
  // Only ASCII letters fold: a Turkish dotless capital I is no "i".
  EXPECT_EQ(app::ParseCommandLine({u"EN\u0131"}).langCode, u"");
}

}  // namespace
}  // namespace prn::testing
