#include "ui/installer/form_main.h"

#include <algorithm>
#include <functional>

#include "installer_fixture.h"
#include "testing/test_files.h"

namespace prn::ui {
namespace {

using install::TInstallProgress;

constexpr char16_t kCaptions[] =
    u"[OEMCOmpany]\nName.1 = pELLNOR Office\nColor.1 = 00A0FF\nMainTitle.1 = Pellnor printers\n"
    u"Name.5 = Quillon\nColor.5 = purple\nLogo.5 = BM_LOGO_QUILLON\nLogoURL.5 = https://quillon.example\n"
    u"[Controls.Installer]\ngrpPrinters = Select printer :\nedtInfos = Hints :\n"
    u"[DialogText]\nClickInstallToStart = Click Install.\nSelectAPrinterDriver = Pick one.\n"
    u"Installing = Installing\nInstallEnd = Done\n";

// The view as far as these tests look at it: nothing runs an install.
class QuietView : public FormMainView {
 public:
  sys::WindowHandle Handle() const override { return 7; }
  void SetRunning(bool) override {}
  void ShowSearchWindow() override {}
  void EnableWatchdogTimer(bool) override {}
  void Close() override {}
};

class TFormMainTest : public InstallerFixture {
 protected:
  TFormMain& Create(ustring_view entry0Keys) {
    Load(entry0Keys, kCaptions);
    model.emplace(view, values, machine.Platform());
    model->FormCreate(form);
    return *model;
  }

  QuietView view;
  config::FormDescription form = FormMainDesign();
  std::optional<TFormMain> model;
};

TEST(BrandColourTest, DollarHexadecimalOrPurple) {
  EXPECT_EQ(ParseBrandColour(u"00A0FF"), 0x00A0FFu);
  EXPECT_EQ(ParseBrandColour(u"0"), 0u);
  EXPECT_EQ(ParseBrandColour(u"ff"), 0xFFu);
  for (ustring_view bad : {u"", u"purple", u"-80", u"0x80", u" 80", u"1000000", u"FFFFFFFFF"}) {
    EXPECT_EQ(ParseBrandColour(bad), kDefaultBrandColour) << ToUtf8(bad);
  }
}

TEST_F(TFormMainTest, BrandFromEntryZeroAndTheLanguageFile) {
  testing::WriteFile(machine.files, u"C:\\Package\\QX1Logo.jpg", "jpeg");
  TFormMain& main = Create(u"Index=50\nLogo=QX1Logo.jpg\nPrinterManager=0");
  EXPECT_EQ(main.Brand().logo.kind, LogoSource::Kind::File);
  EXPECT_EQ(main.Brand().logo.name, u"C:\\Package\\QX1Logo.jpg");
  EXPECT_EQ(main.Brand().colour, kDefaultBrandColour);  // "purple" is no hexadecimal text
  EXPECT_FALSE(main.ShowsManagerButton());
  EXPECT_EQ(model->SelectedIndex(), 0);

  main.LogoClick(7);
  ASSERT_EQ(machine.shell.Executions().size(), 1u);
  EXPECT_EQ(machine.shell.Executions()[0].file, u"https://quillon.example");
  EXPECT_TRUE(machine.shell.Executions()[0].asDesktopUser);  // no elevated browser

  // A logo file that is not there falls back to the brand's bitmap.
  LogoSource fallback = ResolveLogo(u"Gone.jpg", u"C:\\Package\\", u"BM_LOGO_QUILLON", machine.files);
  EXPECT_EQ(fallback.kind, LogoSource::Kind::BitmapResource);
  EXPECT_EQ(fallback.name, u"BM_LOGO_QUILLON");

  TitleLayout layout = LayOutTitle(12 + 216, 90, 80);
  EXPECT_EQ(layout.mainTitleLeft, 248);  // as designed beside a 216 pixel logo
  EXPECT_EQ(layout.guideLeft, 248);
  EXPECT_EQ(layout.quickGuideLeft, 343);
  EXPECT_EQ(layout.manualLeft, 428);
}

TEST_F(TFormMainTest, SelectionSetsTextsAndEnablesOnlyExistingDocuments) {
  testing::WriteFile(machine.files, u"C:\\Package\\ReadmeEN.txt", "guide");
  TFormMain& main = Create(u"FunctionDescribe.EN=Flatbed\nQuickGuide.EN=Docs\\Quick.pdf\nPrinterManager=1");
  EXPECT_TRUE(main.ShowsManagerButton());

  const SelectionDisplay& shown = main.OnSelect(0);
  EXPECT_EQ(model->SelectedIndex(), 0);
  EXPECT_EQ(shown.statusText, u"Flatbed");
  EXPECT_TRUE(shown.startEnabled);
  EXPECT_EQ(shown.groupCaption, u"Select printer :Quillon QX1");
  EXPECT_EQ(shown.infosText, u"Hints :Click Install.");
  EXPECT_TRUE(shown.Document(DocumentLabel::Guide).enabled);        // default ReadmeEN.txt, found here
  EXPECT_FALSE(shown.Document(DocumentLabel::QuickGuide).enabled);  // named, not there
  EXPECT_FALSE(shown.Document(DocumentLabel::Manual).enabled);      // empty

  main.OpenDocument(DocumentLabel::Manual, 7);
  main.OpenDocument(DocumentLabel::Guide, 7);
  ASSERT_EQ(machine.shell.Executions().size(), 1u);
  const auto& opened = machine.shell.Executions()[0];
  EXPECT_EQ(opened.verb, u"open");
  EXPECT_EQ(opened.file, u"C:\\Package\\ReadmeEN.txt");  // the desktop's shell has another current directory
  EXPECT_EQ(opened.showCommand, 5);
  EXPECT_TRUE(opened.asDesktopUser);

  // The guide's relative name follows the current directory.
  machine.files.SetCurrentDirectory(u"C:\\Elsewhere");
  EXPECT_FALSE(main.OnSelect(1).Document(DocumentLabel::Guide).enabled);

  const SelectionDisplay& none = main.OnSelect(-1);
  EXPECT_EQ(model->SelectedIndex(), -1);
  EXPECT_FALSE(none.startEnabled);
  EXPECT_FALSE(main.InstallAllowed());
  EXPECT_EQ(none.statusText, u"");
  EXPECT_EQ(none.groupCaption, u"Select printer :");
  EXPECT_EQ(none.infosText, u"Hints :Pick one.");
  EXPECT_EQ(none.Document(DocumentLabel::Guide).hint, u"");
  EXPECT_FALSE(none.Document(DocumentLabel::Guide).enabled);
}

TEST_F(TFormMainTest, MakersBrandInAnyCaseGetsWelcomeAndFadeOnEveryActivation) {
  TFormMain& main = Create(u"Index=10");
  auto plan = main.FormActivate();
  ASSERT_TRUE(plan);
  EXPECT_TRUE(plan->showWelcome);
  EXPECT_EQ(plan->printers, (StringList{u"Quillon QX1", u"Quillon QX5"}));
  EXPECT_EQ(plan->firstSelection, 0);
  // The focus that comes back from the welcome window is no new activation.
  EXPECT_FALSE(main.FormActivate());
  main.ActivationDone();

  main.OnSelect(1);
  plan = main.FormActivate();  // the manager window has closed
  ASSERT_TRUE(plan);
  EXPECT_TRUE(plan->showWelcome);
  EXPECT_EQ(model->SelectedIndex(), 0);
  main.ActivationDone();

  EXPECT_FALSE(IsWelcomeBrand(u"Quillon"));
  // The fade rises in 12 steps and leaves the last step to "opaque".
  EXPECT_EQ(kFadeAlphas.size(), 12u);
  EXPECT_TRUE(std::is_sorted(kFadeAlphas.begin(), kFadeAlphas.end(), std::less_equal<>()));
  EXPECT_LT(kFadeAlphas.back(), 255);
}

TEST_F(TFormMainTest, OtherBrandsShowAtOnce) {
  auto plan = Create(u"Index=50").FormActivate();
  ASSERT_TRUE(plan);
  EXPECT_FALSE(plan->showWelcome);
}

TEST_F(TFormMainTest, HintDotsCountZeroToSixWhileInstallingThenTheEndText) {
  TFormMain& main = Create(u"");
  // While the older driver and the question come first, the hint waits silently.
  EXPECT_TRUE(main.InstallingHintsTimer().keepRunning);
  EXPECT_EQ(main.InstallingHintsTimer().statusText, u"");
  main.Runner().Context().m_InstallingProgress = TInstallProgress::IPInstalling;
  StringList texts;
  for (int i = 0; i < 8; ++i) {
    auto tick = main.InstallingHintsTimer();
    EXPECT_TRUE(tick.keepRunning);
    texts.push_back(tick.statusText);
  }
  EXPECT_EQ(texts[0], u"Installing ");
  EXPECT_EQ(texts[6], u"Installing ......");
  EXPECT_EQ(texts[7], u"Installing ");

  main.Runner().Context().m_InstallingProgress = TInstallProgress::IPInstalled;
  auto last = main.InstallingHintsTimer();
  EXPECT_FALSE(last.keepRunning);
  EXPECT_EQ(last.statusText, u"Done");
}

}  // namespace
}  // namespace prn::ui
