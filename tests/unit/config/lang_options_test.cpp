#include "config/lang_options.h"

#include <gtest/gtest.h>

#include "sim/machine.h"
#include "testing/test_files.h"

namespace prn::config {
namespace {

ControlDescription Control(ustring name, ControlClass kind, ustring caption = {}) {
  ControlDescription control;
  control.name = std::move(name);
  control.kind = kind;
  control.caption = std::move(caption);
  return control;
}

class LangOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.files.CreateDirectories(u"C:\\Pkg\\I386");
    testing::WriteFile(machine.files, u"C:\\Pkg\\I386\\QX1.INF", "[Version]\n");
  }

  // Settings with one entry whose Index key is `indexKey` (absent when empty).
  TInstallInfos Settings(ustring_view indexKey) {
    testing::WriteUtf16File(machine.files, u"C:\\Pkg\\Setup.Ini",
                            u"[QX1]\nPrinterName=Q\nPrinterHWID=H\nDriverDir=I386\nINF.2K=QX1.INF\n"
                            u"INF.X64=QX1.INF\n" + ustring(indexKey) + u"\n");
    TInstallInfos infos;
    infos.LoadFromFile(u"C:\\Pkg\\Setup.Ini",
                       SettingsEnvironment{&machine.files, &machine.codePage, u"C:\\Pkg\\", 0x0409, 61});
    return infos;
  }

  void Load(ustring_view langText, ustring_view indexKey = u"") {
    testing::WriteUtf16File(machine.files, u"C:\\Work\\Lang\\Strings.ini", langText);
    lang.LoadFromFile(u"C:\\Work\\Lang\\Strings.ini", Settings(indexKey), machine.files, machine.codePage);
  }

  sim::Machine machine;
  TStrInstaller strInstaller;
  TLangOptions lang{strInstaller};
};

constexpr char16_t kBrands[] =
    u"[Settings]\nOEMCOmpanyIndex = 1\n"
    u"[OEMCOmpany]\nName.1 = Pellnor\nLogo.1 = BM_LOGO_PELLNOR\nColor.1 = 800080\n"
    u"Name.5 = Quillon\nLogo.5 = BM_LOGO_QUILLON\nMainTitle.5 = Welcome to use Quillon printers\nColor.5 = 0\n"
    u"Name.9 = Ostrava\nLogo.9 = BM_LOGO_OSTRAVA\n"
    u"Logo.7 = BM_LOGO_SEVEN\n";

TEST_F(LangOptionsTest, BrandRowFromSettingsIndexElseFromTheLanguageFile) {
  Load(kBrands, u"Index = 90");
  EXPECT_EQ(strInstaller.CompanyIndex, 9);
  EXPECT_EQ(strInstaller.OEMManufactor, u"Ostrava");
  EXPECT_EQ(strInstaller.OEMBMLogo, u"BM_LOGO_OSTRAVA");
  EXPECT_EQ(strInstaller.OEMColor, u"800080");  // default

  Load(kBrands, u"Index = 5");  // 5 / 10 = 0: the language file decides
  EXPECT_EQ(strInstaller.CompanyIndex, 1);
  EXPECT_EQ(strInstaller.OEMManufactor, u"Pellnor");
}

TEST_F(LangOptionsTest, AnEmptyBrandNameBecomesThreeUnderscoresAndSuffixesLookups) {
  Load(ustring(kBrands) + u"[DialogText]\nNoticeTitle.___ = Hinweis\n", u"Index = 70");
  EXPECT_EQ(strInstaller.OEMManufactor, u"___");
  EXPECT_EQ(strInstaller.OEMBMLogo, u"BM_LOGO_SEVEN");
  EXPECT_EQ(strInstaller.NoticeTitle, u"Hinweis");
}

TEST_F(LangOptionsTest, BrandSpecificTextWinsOnlyWhenNotEmpty) {
  Load(ustring(kBrands) +
           u"[DialogText]\nInstallSuccessStr = plain %s %s\nInstallSuccessStr.Quillon = Quillon %s on %s\n"
           u"RestartPrompt = plain restart\nRestartPrompt.Quillon =\n",
       u"Index = 50");
  EXPECT_EQ(strInstaller.InstallSuccessStr, u"Quillon %s on %s");
  EXPECT_EQ(strInstaller.RestartPrompt, u"plain restart");
  EXPECT_EQ(strInstaller.OEMMainTitle, u"Welcome to use Quillon printers");
}

TEST_F(LangOptionsTest, LineBreaksInAnyCaseOnlyInMarkedFields) {
  Load(ustring(kBrands) + u"[DialogText]\nInstallFailStr = failed: \\R\\N%s\nNoticeTitle = a\\r\\nb\n"
                          u"NotPDFReaderInstall = 'quoted \\r\\n text'\n");
  EXPECT_EQ(strInstaller.InstallFailStr, u"failed: \r\n%s");
  EXPECT_EQ(strInstaller.NoticeTitle, u"a\\r\\nb");
  EXPECT_EQ(strInstaller.NotPDFReaderInstall, u"quoted \r\n text");
}

TEST_F(LangOptionsTest, DefaultsApplyOnlyToAbsentKeys) {
  Load(ustring(kBrands) + u"[DialogText]\nLoading =\n");
  EXPECT_EQ(strInstaller.Loading, u"");
  EXPECT_EQ(strInstaller.Installing, u"Installing");
  EXPECT_EQ(strInstaller.InstallEnd, u"Install end");
  EXPECT_EQ(strInstaller.ErrorTitle, u"Error");
  EXPECT_EQ(strInstaller.PrinterStatusOnline, u"Online");
  EXPECT_EQ(strInstaller.ClickInstallToStart, u"");
}

TEST_F(LangOptionsTest, WithoutAFileEveryLookupIsEmpty) {
  TStrInstaller record;
  TLangOptions none(record);
  none.LoadFromFile(u"C:\\Work\\Lang\\Missing.ini", Settings(u""), machine.files, machine.codePage);
  EXPECT_EQ(none.GetOptionString(u"DialogText", u"Loading", u"Loading"), u"");
  EXPECT_EQ(record.OEMManufactor, u"");

  FormDescription form{u"designed",
                       {Control(u"btnStart", ControlClass::Button, u"Install"), Control(u"ts2", ControlClass::TabSheet, u"Ports")}};
  none.LoadControlsCaption(form, u"Controls.Installer");
  EXPECT_EQ(form.caption, u"");
  EXPECT_EQ(form.components[0].caption, u"");
  EXPECT_FALSE(form.components[1].visible);

  MenuDescription menu{{{u"mniDelete", u"Delete"}, {u"sep", u"-"}}};
  none.LoadMenuCaption(menu, u"Controls.Manager.pmPrinterOperate");
  ASSERT_EQ(menu.items.size(), 1u);
  EXPECT_EQ(menu.items[0].caption, u"-");
}

TEST_F(LangOptionsTest, ControlCaptionsByClassWithTheMissingMarker) {
  Load(ustring(kBrands) +
           u"[Controls.Installer]\nProgramTitle = Tovalis\nbtnStart = Install\nlblReadManual.Pellnor = Brand manual\n"
           u"lblReadManual = User's manual\nedtInfos = Hints :\ngrpPrinters = Select printer :\nts1 = Printers\n"
           u"ts2 =\nlvPrinters = ignored\nchkOnly = Only\ntmrHints = ignored\n");
  FormDescription form{u"designed",
                       {Control(u"btnStart", ControlClass::Button, u"designed"),
                        Control(u"lblReadManual", ControlClass::Label, u"designed"),
                        Control(u"edtInfos", ControlClass::Edit),
                        Control(u"grpPrinters", ControlClass::GroupBox),
                        Control(u"ts1", ControlClass::TabSheet, u"designed"),
                        Control(u"ts2", ControlClass::TabSheet, u"designed"),
                        Control(u"lvPrinters", ControlClass::Other, u"designed"),
                        Control(u"chkOnly", ControlClass::CheckBox),
                        Control(u"tmrHints", ControlClass::NonVisual, u"designed"),
                        Control(u"btnExit", ControlClass::Button, u"designed")}};
  lang.LoadControlsCaption(form, u"Controls.Installer");
  EXPECT_EQ(form.caption, u"Tovalis");
  EXPECT_EQ(form.Find(u"btnStart")->caption, u"Install");
  EXPECT_EQ(form.Find(u"lblReadManual")->caption, u"Brand manual");
  EXPECT_EQ(form.Find(u"edtInfos")->text, u"Hints :");
  EXPECT_EQ(form.Find(u"edtInfos")->hint, u"Hints :");
  EXPECT_EQ(form.Find(u"grpPrinters")->caption, u"Select printer :");
  EXPECT_EQ(form.Find(u"grpPrinters")->hint, u"Select printer :");
  EXPECT_TRUE(form.Find(u"ts1")->visible);
  EXPECT_EQ(form.Find(u"ts1")->caption, u"Printers");
  EXPECT_FALSE(form.Find(u"ts2")->visible);  // present and empty hides the tab
  EXPECT_EQ(form.Find(u"lvPrinters")->caption, u"designed");
  EXPECT_EQ(form.Find(u"chkOnly")->caption, u"Only");
  EXPECT_EQ(form.Find(u"tmrHints")->caption, u"designed");
  EXPECT_EQ(form.Find(u"btnExit")->caption, u"designed");  // no key: the designed caption stays

  FormDescription untitled{u"designed", {}};
  lang.LoadControlsCaption(untitled, u"Controls.AddPort");
  EXPECT_EQ(untitled.caption, u"");  // no ProgramTitle: empty caption
}

TEST_F(LangOptionsTest, MenuItemsWithoutTextAreRemovedFromLastToFirst) {
  Load(ustring(kBrands) + u"[Controls.Manager.pmPrinterOperate]\nmniDelete = Delete\nmniViewJobs =\n"
                          u"mniPrintTestPage = Print test page\n");
  MenuDescription menu{{{u"mniDelete", u"x"},
                        {u"mniViewJobs", u"x"},
                        {u"N1", u"-"},
                        {u"mniSetAsDefault", u"x"},
                        {u"mniPrintTestPage", u"x"}}};
  lang.LoadMenuCaption(menu, u"Controls.Manager.pmPrinterOperate");
  ASSERT_EQ(menu.items.size(), 3u);
  EXPECT_EQ(menu.items[0].caption, u"Delete");
  EXPECT_EQ(menu.items[1].caption, u"-");
  EXPECT_EQ(menu.items[2].caption, u"Print test page");
}

TEST(LineBreaks, ReplacesEveryLetterCase) {
  EXPECT_EQ(ReplaceLineBreaks(u"a\\r\\nb\\R\\nc\\r\\Nd"), u"a\r\nb\r\nc\r\nd");
  EXPECT_EQ(ReplaceLineBreaks(u"\\r\\x \\n"), u"\\r\\x \\n");
}

}  // namespace
}  // namespace prn::config
