// The windows start-up creates, their order, and which one is the main window.

#include "startup_fixture.h"

namespace prn::testing {
namespace {

using ui::FormKind;
using Plan = std::vector<FormKind>;

struct OrderCase {
  bool manager;
  const char16_t* viewModeLine;
  Plan expected;
  friend void PrintTo(const OrderCase& c, std::ostream* out) {
    *out << (c.manager ? "MANAGER, " : "") << ToUtf8(c.viewModeLine);
  }
};

class CreationOrderTest : public StartupTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(CreationOrderTest, CreatesEveryWindowInTheTableOrderBeforeTheLoopRuns) {
  WriteSetupIni(ValidEntry(GetParam().viewModeLine));
  StringList parameters = GetParam().manager ? StringList{u"EN", u"MANAGER"} : StringList{u"EN"};
  Plan createdBeforeLoop;
  forms.whileRunning = [&] { createdBeforeLoop = forms.created; };
  ASSERT_EQ(Run(parameters), app::kExitNormal);
  EXPECT_TRUE(forms.initialized);
  EXPECT_EQ(createdBeforeLoop, GetParam().expected);
  EXPECT_EQ(forms.created, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CreationOrderTest,
    ::testing::Values(
        OrderCase{false, u"ViewMode = 20",
                  {FormKind::TFormMainV2, FormKind::TFormInstalling, FormKind::TFormManager, FormKind::TFormAddNetPort,
                   FormKind::TFormAddPort, FormKind::TFormSearching, FormKind::TFormTemp}},
        OrderCase{false, u"ViewMode = 10",
                  {FormKind::TFormMain, FormKind::TFormManager, FormKind::TFormAddNetPort, FormKind::TFormAddPort,
                   FormKind::TFormSearching, FormKind::TFormTemp}},
        OrderCase{true, u"ViewMode = 20",
                  {FormKind::TFormManager, FormKind::TFormMainV2, FormKind::TFormInstalling,
                   FormKind::TFormAddNetPort, FormKind::TFormAddPort, FormKind::TFormSearching, FormKind::TFormTemp}},
        OrderCase{true, u"ViewMode = 10",
                  {FormKind::TFormManager, FormKind::TFormMain, FormKind::TFormAddNetPort, FormKind::TFormAddPort,
                   FormKind::TFormSearching, FormKind::TFormTemp}}));

struct ViewModeCase {
  const char16_t* viewModeLine;
  bool skinned;
  friend void PrintTo(const ViewModeCase& c, std::ostream* out) { *out << ToUtf8(c.viewModeLine); }
};

class ViewModeTest : public StartupTest, public ::testing::WithParamInterface<ViewModeCase> {};

TEST_P(ViewModeTest, TwentyToTwentyNineSelectTheSkinnedWindowWithItsProgressWindow) {
  WriteSetupIni(ValidEntry(GetParam().viewModeLine));
  ASSERT_EQ(Run({}), app::kExitNormal);
  ASSERT_GE(forms.created.size(), 2u);
  if (GetParam().skinned) {
    EXPECT_EQ(forms.created[0], FormKind::TFormMainV2);
    EXPECT_EQ(forms.created[1], FormKind::TFormInstalling);
  } else {
    EXPECT_EQ(forms.created[0], FormKind::TFormMain);
    EXPECT_EQ(std::count(forms.created.begin(), forms.created.end(), FormKind::TFormInstalling), 0);
    EXPECT_EQ(std::count(forms.created.begin(), forms.created.end(), FormKind::TFormMainV2), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, ViewModeTest,
                         ::testing::Values(ViewModeCase{u"ViewMode = 20", true}, ViewModeCase{u"ViewMode = 25", true},
                                           ViewModeCase{u"ViewMode = 29", true}, ViewModeCase{u"ViewMode = 0x14", true},
                                           ViewModeCase{u"ViewMode = 2", false}, ViewModeCase{u"ViewMode = 30", false},
                                           ViewModeCase{u"ViewMode = 19", false}, ViewModeCase{u"Index = 0", false}));

TEST_F(StartupTest, OnlyTheFirstEntryDecidesTheInstallerWindow) {
  WriteSetupIni(ValidEntry(u"ViewMode = 10") + ValidEntry(u"ViewMode = 20", u"QX2"));
  ASSERT_EQ(Run({}), app::kExitNormal);
  EXPECT_EQ(forms.created.front(), FormKind::TFormMain);
}

}  // namespace
}  // namespace prn::testing
