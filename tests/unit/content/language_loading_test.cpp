// The shipped language files read by the installer's own loader on a
// simulated machine: brand choice, brand-specific texts, real line breaks.

#include <gtest/gtest.h>

#include "config/install_infos.h"
#include "config/lang_options.h"
#include "content_files.h"
#include "sim/machine.h"
#include "testing/test_files.h"
#include "text/ascii.h"
#include "text/format.h"

namespace prn::testing {
namespace {

using config::TStrInstaller;

config::ControlDescription Control(const char16_t* name, config::ControlClass kind) {
  config::ControlDescription control;
  control.name = name;
  control.kind = kind;
  control.caption = u"designed";
  return control;
}

class ShippedLanguageLoading : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    machine_.files.Mount(u"R:", RepoPath("resources/lang"));
    machine_.files.Mount(u"P:", RepoPath("examples/package"));
  }

  ustring LanguageFile() const { return u"R:\\" + FromAscii(std::filesystem::path(GetParam()).filename().string()); }

  // Settings whose first entry names brand row `index` (0: the file's own default).
  config::TInstallInfos SettingsWithIndex(int index) {
    WriteFile(machine_.files, u"C:\\Pkg\\m.inf", "[Version]\r\n");
    WriteUtf16File(machine_.files, u"C:\\Pkg\\Setup.Ini",
                   u"[M]\r\nIndex=" + ToDecimal(index * 10) +
                       u"\r\nPrinterName=M\r\nPrinterHWID=H\r\nDriverDir=\r\nINF.2K=m.inf\r\nINF.X64=m.inf\r\n");
    return Load(u"C:\\Pkg\\Setup.Ini", u"C:\\Pkg\\");
  }

  config::TInstallInfos Load(const ustring& setupIni, const ustring& programFolder) {
    config::SettingsEnvironment env{&machine_.files, &machine_.codePage, programFolder, 0x0409, 61};
    config::TInstallInfos settings;
    settings.LoadFromFile(setupIni, env);
    return settings;
  }

  TStrInstaller LoadTexts(const config::TInstallInfos& settings) {
    TStrInstaller texts;
    config::TLangOptions lang(texts);
    lang.LoadFromFile(LanguageFile(), settings, machine_.files, machine_.codePage);
    EXPECT_TRUE(lang.HasFile());
    return texts;
  }

  sim::Machine machine_;
};

TEST_P(ShippedLanguageLoading, DefaultBrandRowIsPellnorWithItsLogo) {
  TStrInstaller texts = LoadTexts(SettingsWithIndex(0));
  EXPECT_EQ(texts.CompanyIndex, 1);
  EXPECT_EQ(texts.OEMManufactor, u"Pellnor");
  EXPECT_EQ(texts.OEMBMLogo, u"BM_LOGO_PELLNOR");
  EXPECT_EQ(texts.OEMColor, u"800080");
  EXPECT_FALSE(texts.OEMMainTitle.empty());
}

TEST_P(ShippedLanguageLoading, EveryDialogTextIsFilledWithRealLineBreaks) {
  TStrInstaller texts = LoadTexts(SettingsWithIndex(0));
  size_t count = 0;
  const config::DialogTextField* fields = config::DialogTextFields(count);
  for (size_t i = 0; i < count; ++i) {
    const ustring& value = texts.*(fields[i].field);
    EXPECT_FALSE(value.empty()) << fields[i].key;
    EXPECT_EQ(LineBreakMarkers(value), 0) << fields[i].key;
  }
  EXPECT_NE(texts.InstallFailStr.find(u"\r\n"), ustring::npos);
  EXPECT_NE(texts.InstallOnline.find(u"\r\n\r\n"), ustring::npos);
}

TEST_P(ShippedLanguageLoading, EmptyBrandRowFallsBackToPlainTexts) {
  // Row 4 has no name: the brand suffix is "___" and no logo is named.
  TStrInstaller texts = LoadTexts(SettingsWithIndex(4));
  EXPECT_EQ(texts.OEMManufactor, u"___");
  EXPECT_EQ(texts.OEMBMLogo, u"");
  EXPECT_FALSE(texts.InstallSuccessStr.empty());
  EXPECT_FALSE(texts.OEMMainTitle.empty());
}

TEST_P(ShippedLanguageLoading, ExamplePackageGetsTheQuillonTexts) {
  config::TInstallInfos settings = Load(u"P:\\Setup.Ini", u"P:\\");
  TStrInstaller quillon = LoadTexts(settings);
  TStrInstaller plain = LoadTexts(SettingsWithIndex(0));
  EXPECT_EQ(quillon.OEMManufactor, u"Quillon");
  EXPECT_EQ(quillon.OEMBMLogo, u"BM_LOGO_QUILLON");
  EXPECT_NE(quillon.InstallSuccessStr, plain.InstallSuccessStr);
  EXPECT_NE(quillon.BeforeInstallPrompt, plain.BeforeInstallPrompt);
  EXPECT_NE(quillon.RestartPrompt, plain.RestartPrompt);

  ustring shown = Format(quillon.InstallSuccessStr, {u"Quillon QX1", u"USB001"});
  size_t driver = shown.find(u"Quillon QX1");
  ASSERT_NE(driver, ustring::npos) << ToUtf8(shown);
  EXPECT_NE(shown.find(u"USB001", driver), ustring::npos) << ToUtf8(shown);
}

TEST_P(ShippedLanguageLoading, InstallerCaptionsForTheQuillonBrand) {
  config::TInstallInfos settings = Load(u"P:\\Setup.Ini", u"P:\\");
  TStrInstaller texts;
  config::TLangOptions lang(texts);
  lang.LoadFromFile(LanguageFile(), settings, machine_.files, machine_.codePage);

  config::FormDescription installer;
  installer.components = {Control(u"lblReadGuide", config::ControlClass::Label),
                          Control(u"lblReadManual", config::ControlClass::Label)};
  lang.LoadControlsCaption(installer, u"Controls.Installer");
  EXPECT_FALSE(installer.caption.empty());
  EXPECT_TRUE(ContainsNoCase(installer.Find(u"lblReadManual")->caption, u"Quillon"));
  EXPECT_FALSE(ContainsNoCase(installer.Find(u"lblReadGuide")->caption, u"Quillon"));

  config::FormDescription manager;
  manager.components = {Control(u"ts1", config::ControlClass::TabSheet), Control(u"ts2", config::ControlClass::TabSheet)};
  lang.LoadControlsCaption(manager, u"Controls.Manager");
  EXPECT_TRUE(manager.Find(u"ts1")->visible);
  EXPECT_FALSE(manager.Find(u"ts2")->visible);

  config::MenuDescription menu;
  for (const char16_t* item : {u"mniDelete", u"mniViewJobs", u"mniSetAsDefault", u"mniOpenProperty",
                               u"mniOpenDocumentDefaults", u"mniPrintTestPage"})
    menu.items.push_back({item, u"designed"});
  lang.LoadMenuCaption(menu, u"Controls.Manager.pmPrinterOperate");
  ASSERT_EQ(menu.items.size(), 6u);
  for (const auto& item : menu.items) EXPECT_NE(item.caption, u"designed") << ToUtf8(item.name);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLanguageLoading, ::testing::ValuesIn(kLanguageFiles));

}  // namespace
}  // namespace prn::testing
