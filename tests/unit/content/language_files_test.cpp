// The three shipped language files: encoding, completeness, the English texts
// as shipped, and translations that keep what the program relies on.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "config/str_installer.h"
#include "content_files.h"
#include "testing/test_files.h"
#include "text/format.h"

namespace prn::testing {
namespace {

using config::ProfileFile;

const char16_t* const kSections[] = {
    u"Settings",           u"OEMCOmpany",       u"Controls.Installer",
    u"Controls.UnInstaller", u"Controls.Manager", u"Controls.Manager.pmPrinterOperate",
    u"Controls.AddPort",   u"DialogText",
};

// The English captions as shipped, per section.
const std::map<ustring, std::vector<std::pair<ustring, ustring>>> kEnglishCaptions = {
    {u"Controls.Installer",
     {{u"ProgramTitle", u"Tovalis"},
      {u"lblReadGuide", u"Installtion Guide"},
      {u"lblReadQuickGuide", u"Quick Guide"},
      {u"lblReadManual", u"User's manual"},
      {u"grpPrinters", u"Select printer :"},
      {u"btnStart", u"Install"},
      {u"btnExit", u"Exit"},
      {u"edtInfos", u"Hints :"},
      {u"btnPrinterManager", u"Printer Port &Setting"}}},
    {u"Controls.Manager",
     {{u"ProgramTitle", u"Printer Port Manager"},
      {u"lvSystemPrintersTitles", u"\"Printer name\"|Port|Status"},
      {u"ts1", u"Printers"},
      {u"ts2", u""},
      {u"lblPortName", u"System Ports"},
      {u"lblPrinterPort", u"Current Printer Port:"},
      {u"btnChangePort", u"Change"},
      {u"btnSetOnline", u"Set Online"},
      {u"btnAddPort", u"Add Net Port"},
      {u"btnRefresh", u"Refresh"},
      {u"btnDelete", u"Delete"},
      {u"btnClose", u"Close"},
      {u"btnSet", u"Set"},
      {u"chkOnlyShowThisPort", u"Show only the current port printers"},
      {u"edtOperationNotice", u"Set as system default Printer"},
      {u"chkSetOnlineUSBSameTime", u"Printer port is set to"},
      {u"chkSetDefaultPrinter", u"Set as system default printer"}}},
    {u"Controls.Manager.pmPrinterOperate",
     {{u"mniDelete", u"Delete"},
      {u"mniViewJobs", u"View jobs"},
      {u"mniSetAsDefault", u"Set default printer"},
      {u"mniOpenProperty", u"Printer property"},
      {u"mniOpenDocumentDefaults", u"Document defaults"},
      {u"mniPrintTestPage", u"Print test page"}}},
    {u"Controls.AddPort",
     {{u"ProgramTitle", u"Add net port for printer"},
      {u"lblIP", u"Printer Name or IP:"},
      {u"lblPortName", u"Port name:"},
      {u"btnAdd", u"Add"},
      {u"btnClose", u"Close"}}},
};

// The English dialog texts as the file holds them (after the reader's quote removal).
const std::map<ustring, ustring> kEnglishDialogTexts = {
    {u"Installing", u"Installing printer driver"},
    {u"InstallEnd", u"Driver install finish"},
    {u"Loading", u"Loading"},
    {u"NoticeTitle", u"Notice"},
    {u"ErrorTitle", u"Error"},
    {u"InstallBeforeNeedUninstall",
     uR"(There already had an old version driver, \r\nand you must delete the old driver to continue. Are you sure to delete it?)"},
    {u"BeforeInstallPrompt",
     u"Please connect the PC interface cable to the printer and power ON the printer. When the printer indicates it "
     u"is READY, click on the Yes button."},
    {u"ClickInstallToStart", u"Select printer then click Install."},
    {u"SelectAPrinterDriver", u"left click the mouse to select a driver."},
    {u"ExistSamePrinterAndUpdate",
     uR"(Already has the printer which has the same name! \r\nYou can update the printer driver, are you sure to execute this operation immediately?)"},
    {u"DeletePrinterIsPrinting", u"The specific printer still has print job, please try again later!"},
    {u"InstallSuccessStr", u"Printer driver (%s) has been successfully installed to print port %s."},
    {u"InstallCancelStr", u"Cancel during the installation process."},
    {u"InstallFailStr", uR"(Printer driver installation process failed: \r\n%s)"},
    {u"InstallFailCode", u"Printer driver installation process failed (code: 0x%.8x)"},
    {u"InstallFailReasonUnknow", u"For some unknown reasons, the printer driver installation process failed!"},
    {u"RestartPrompt", u"Note: Some components would take effects only after restarting the computer."},
    {u"InstallOnline",
     uR"(Online installation failed! \r\n\r\nIf you want to retry it, please connect %s port and restart the printer and then click "Yes"! \r\n\r\nSelect "No" to install the driver in offline mode, printer driver port is set to LPT1:, please according to the actual needs to set the print port (such as USB port) \r\n\r\n select "Cancel" to cancel this installation.)"},
    {u"InstallRetry", u"Please install it later!"},
    {u"CMDParameterError", u"The specified command line parameters are invalid!"},
    {u"BeforeUnInstallPrompt", uR"(Are you sure to delete the following driver? \r\n)"},
    {u"DeletePrinterSucceed", u"Delete the specified printer successfully."},
    {u"DeletePrinterError",
     u"Fail to delete the printer, please close the software which occupies printer driver and then try it again!"},
    {u"DeletePrinterDriverError",
     u"The printer has been deleted, as some driver files are occupied by system, so they would be deleted after the "
     u"system is restarted!"},
    {u"RestartWindowsimmediately",
     u"Whether to restart the printer immediately? (If you choose \"No\", please restart the system manually.)"},
    {u"DeletePrinterPrompt", u"Really need to delete the printer?"},
    {u"UnInstallDriverPrompt", u"Really need to delete the following driver?"},
    {u"AddPortSucced", u"add port successfully."},
    {u"AddPortFail", u"Add the port process error!"},
    {u"HasConnectPrinter", u"Connected"},
    {u"PrinterStatusOnline", u"Ready"},
    {u"PrinterStatusOffline", u"Offline"},
    {u"NotPDFReaderInstall",
     uR"(PDF reading software is not installed, please install and then open the document. \r\nClick on the "Yes" button to instsll the adobe reader software, if you want to manually install please click "no".)"},
    {u"NotPDFReaderInstall2", u"PDF reading software is not installed, please install PDF reading software."},
    {u"NotFileReaderInstall",
     u"The system is not installed the software that can open the file suffix (%s) of the document, please install "
     u"and then open the file."},
    {u"FileOrPathNotExist", u"The specified file or path is not available"},
};

ustring Decode(const std::string& bytes) {
  ustring text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  return text;
}

// Section and key names in file order, for comparing the files' shapes.
std::vector<ustring> Shape(const ProfileFile& file) {
  std::vector<ustring> shape;
  for (const auto& section : file.SectionNames()) {
    shape.push_back(u"[" + section + u"]");
    for (const auto& entry : *file.Entries(section)) shape.push_back(section + u"/" + entry.key);
  }
  return shape;
}

// Brand rows: N → the row's keys, for rows numbered from 1 without gaps.
int BrandRowCount(const ProfileFile& file) {
  int rows = 0;
  while (file.Find(u"OEMCOmpany", u"Name." + ToDecimal(rows + 1))) ++rows;
  return rows;
}

bool ContainsAnyOf(ustring_view text, const std::vector<ustring>& needles) {
  for (const auto& needle : needles) {
    if (text.find(needle) != ustring_view::npos) return true;
  }
  return false;
}

class LanguageFile : public ::testing::TestWithParam<const char*> {
 protected:
  std::string Path() const { return GetParam(); }
  ProfileFile File() const { return ParseRepoProfile(Path()); }
};

TEST_P(LanguageFile, IsUtf16LittleEndianWithBomAndCrlfLines) {
  std::string bytes = ReadRepoFile(Path());
  ASSERT_GE(bytes.size(), 4u);
  ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  ASSERT_EQ(bytes.size() % 2, 0u);
  ustring text = Decode(bytes);
  for (size_t i = 0; i < text.size(); ++i) {
    ASSERT_NE(text[i], u'\0') << "NUL at character " << i;
    ASSERT_NE(text[i], u'\uFFFD') << "replacement character at " << i;
    if (text[i] == u'\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == u'\r') << "bare LF at character " << i;
    }
    if (text[i] == u'\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == u'\n') << "bare CR at character " << i;
    }
  }
  EXPECT_EQ(text.substr(text.size() - 2), u"\r\n");
}

TEST_P(LanguageFile, HasEverySectionAndTheDefaultBrandRow) {
  ProfileFile file = File();
  for (const char16_t* section : kSections) EXPECT_TRUE(file.HasSection(section)) << ToUtf8(section);
  EXPECT_EQ(file.ReadInteger(u"Settings", u"OEMCOmpanyIndex", 0), 1);
  for (const char16_t* key : {u"ProgramTitle", u"btnOK", u"btnClose", u"lblVersion", u"lblCorporation"})
    EXPECT_TRUE(file.Find(u"Controls.UnInstaller", key)) << ToUtf8(key);
}

TEST_P(LanguageFile, CarriesEveryDialogTextAndCaption) {
  ProfileFile file = File();
  size_t count = 0;
  const config::DialogTextField* fields = config::DialogTextFields(count);
  ASSERT_EQ(count, kEnglishDialogTexts.size());
  for (size_t i = 0; i < count; ++i) EXPECT_FALSE(Required(file, u"DialogText", FromAscii(fields[i].key)).empty());
  for (const auto& [section, captions] : kEnglishCaptions) {
    for (const auto& [key, english] : captions) {
      ustring value = Required(file, section, key);
      // An empty caption hides its tab: it has to stay empty in every language.
      EXPECT_EQ(value.empty(), english.empty()) << ToUtf8(section) << "/" << ToUtf8(key);
    }
  }
}

TEST_P(LanguageFile, BrandRowsAreCompleteAndHaveTheirLogos) {
  ProfileFile file = File();
  int rows = BrandRowCount(file);
  ASSERT_GE(rows, 4);
  for (int n = 1; n <= rows; ++n) {
    SCOPED_TRACE("brand row " + std::to_string(n));
    ustring suffix = u"." + ToDecimal(n);
    ustring name = Required(file, u"OEMCOmpany", u"Name" + suffix);
    ustring logo = Required(file, u"OEMCOmpany", u"Logo" + suffix);
    ustring url = Required(file, u"OEMCOmpany", u"LogoURL" + suffix);
    EXPECT_FALSE(Required(file, u"OEMCOmpany", u"MainTitle" + suffix).empty());
    // The classic window reads the colour as "$" + text; a bad one falls back silently.
    EXPECT_TRUE(config::ParseProfileInteger(u"$" + Required(file, u"OEMCOmpany", u"Color" + suffix)));
    // The name becomes a folder of the staging path and a registry key name.
    EXPECT_EQ(name.find_first_of(u"\\/:*?\"<>|"), ustring::npos) << ToUtf8(name);
    if (!url.empty()) {
      EXPECT_EQ(url.rfind(u"https://", 0), 0u) << ToUtf8(url);
    }
    if (!logo.empty()) {
      EXPECT_EQ(logo.rfind(u"BM_LOGO_", 0), 0u) << ToUtf8(logo);
      EXPECT_TRUE(IsTrueColourBitmap(ReadRepoFile("resources/logos/" + ToUtf8(logo) + ".bmp"))) << ToUtf8(logo);
    }
  }
}

TEST(BrandLogos, DefaultLogoIsATrueColourBitmap) {
  EXPECT_TRUE(IsTrueColourBitmap(ReadRepoFile("resources/logos/BM_LOGO_PELLNOR.bmp")));
}

TEST_P(LanguageFile, ManagerColumnTitlesSplitIntoThreeColumns) {
  // The list splits at "|" and, outside double quotes, also at blanks.
  ustring titles = Required(File(), u"Controls.Manager", u"lvSystemPrintersTitles");
  std::vector<ustring> columns;
  size_t start = 0;
  for (size_t bar = titles.find(u'|'); ; bar = titles.find(u'|', start)) {
    columns.push_back(titles.substr(start, bar == ustring::npos ? ustring::npos : bar - start));
    if (bar == ustring::npos) break;
    start = bar + 1;
  }
  ASSERT_EQ(columns.size(), 3u) << ToUtf8(titles);
  EXPECT_TRUE(columns[0].size() > 2 && columns[0].front() == u'"' && columns[0].back() == u'"');
  EXPECT_EQ(columns[1].find(u' '), ustring::npos);
  EXPECT_EQ(columns[2].find(u' '), ustring::npos);
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFile, ::testing::ValuesIn(kLanguageFiles));

TEST(LanguageFiles, HaveTheSameSectionsAndKeysInTheSameOrder) {
  auto english = Shape(ParseRepoProfile(kLanguageFiles[0]));
  EXPECT_EQ(Shape(ParseRepoProfile(kLanguageFiles[1])), english);
  EXPECT_EQ(Shape(ParseRepoProfile(kLanguageFiles[2])), english);
}

TEST(LanguageFiles, BrandIdentityIsTheSameInEveryLanguage) {
  // Names become folder and registry names; logos, links and colours are not translated.
  ProfileFile english = ParseRepoProfile(kLanguageFiles[0]);
  for (const char* path : {kLanguageFiles[1], kLanguageFiles[2]}) {
    ProfileFile other = ParseRepoProfile(path);
    ASSERT_EQ(BrandRowCount(other), BrandRowCount(english)) << path;
    for (int n = 1; n <= BrandRowCount(english); ++n) {
      for (const char16_t* key : {u"Name.", u"Logo.", u"LogoURL.", u"Color."}) {
        ustring name = key + ToDecimal(n);
        EXPECT_EQ(other.Find(u"OEMCOmpany", name), english.Find(u"OEMCOmpany", name)) << path << " " << ToUtf8(name);
      }
    }
  }
}

TEST(LanguageFiles, TranslationsKeepPlaceholdersAndLineBreaks) {
  ProfileFile english = ParseRepoProfile(kLanguageFiles[0]);
  for (const char* path : {kLanguageFiles[1], kLanguageFiles[2]}) {
    ProfileFile other = ParseRepoProfile(path);
    for (const auto& entry : *english.Entries(u"DialogText")) {
      SCOPED_TRACE(std::string(path) + " " + ToUtf8(entry.key));
      ustring translated = Required(other, u"DialogText", entry.key);
      EXPECT_EQ(CountPlaceholders(translated), CountPlaceholders(entry.value));
      EXPECT_EQ(PlaceholderConversions(translated), PlaceholderConversions(entry.value));
      EXPECT_EQ(LineBreakMarkers(translated), LineBreakMarkers(entry.value));
    }
  }
}

TEST(LanguageFiles, PlaceholdersOfTheFormattedTexts) {
  // Driver then port; the error text; the port; the file suffix; the code.
  const std::map<ustring, std::vector<ustring>> expected = {
      {u"InstallSuccessStr", {u"s", u"s"}}, {u"InstallFailStr", {u"s"}}, {u"InstallOnline", {u"s"}},
      {u"NotFileReaderInstall", {u"s"}},    {u"InstallFailCode", {u".8x"}},
  };
  for (const char* path : kLanguageFiles) {
    ProfileFile file = ParseRepoProfile(path);
    for (const auto& entry : *file.Entries(u"DialogText")) {
      ustring plainKey = entry.key.substr(0, entry.key.find(u'.'));
      auto wanted = expected.find(plainKey);
      EXPECT_EQ(PlaceholderConversions(entry.value),
                wanted == expected.end() ? std::vector<ustring>{} : wanted->second)
          << path << " " << ToUtf8(entry.key);
    }
  }
}

TEST(LanguageFiles, ChineseFilesAreTranslatedInTheirOwnScript) {
  const struct {
    const char* path;
    std::vector<ustring> foreign;  // words of the other script
  } files[] = {
      // Traditional characters, and Taiwan wording even when written in simplified characters.
      {kLanguageFiles[1], {u"機", u"裝", u"驅", u"刪", u"檔", u"設定", u"軟體", u"印表机", u"连接埠", u"列印",
                           u"软体", u"档案", u"程式"}},
      // Simplified characters, and mainland wording even when written in traditional characters.
      {kLanguageFiles[2], {u"机", u"装", u"驱", u"删", u"设置", u"端口", u"打印", u"軟件", u"默認", u"設置",
                           u"驅動程序", u"信息"}},
  };
  for (const auto& lang : files) {
    ProfileFile file = ParseRepoProfile(lang.path);
    for (const auto& section : file.SectionNames()) {
      for (const auto& entry : *file.Entries(section)) {
        SCOPED_TRACE(std::string(lang.path) + " " + ToUtf8(section) + "/" + ToUtf8(entry.key));
        EXPECT_FALSE(ContainsAnyOf(entry.value, lang.foreign)) << ToUtf8(entry.value);
        bool translatable = section == u"DialogText" || section == u"Controls.Manager" ||
                            section == u"Controls.Manager.pmPrinterOperate" || section == u"Controls.AddPort";
        bool hasHan = std::any_of(entry.value.begin(), entry.value.end(),
                                  [](char16_t c) { return c >= u'\u4E00' && c <= u'\u9FFF'; });
        if (translatable && !entry.value.empty()) {
          EXPECT_TRUE(hasHan) << ToUtf8(entry.value);
        }
      }
    }
  }
}

TEST(EnglishLanguageFile, DialogTextsAreTheShippedOnes) {
  ProfileFile file = ParseRepoProfile(kLanguageFiles[0]);
  for (const auto& [key, text] : kEnglishDialogTexts)
    EXPECT_EQ(ToUtf8(Required(file, u"DialogText", key)), ToUtf8(text)) << ToUtf8(key);
}

TEST(EnglishLanguageFile, CaptionsAreTheShippedOnes) {
  ProfileFile file = ParseRepoProfile(kLanguageFiles[0]);
  for (const auto& [section, captions] : kEnglishCaptions) {
    for (const auto& [key, text] : captions)
      EXPECT_EQ(ToUtf8(Required(file, section, key)), ToUtf8(text)) << ToUtf8(section) << "/" << ToUtf8(key);
  }
}

TEST(EnglishLanguageFile, ReaderMessagesAreStoredInSingleQuotes) {
  ustring text = Decode(ReadRepoFile(kLanguageFiles[0]));
  for (const char16_t* key :
       {u"NotPDFReaderInstall=", u"NotPDFReaderInstall2=", u"NotFileReaderInstall=", u"FileOrPathNotExist="}) {
    size_t at = text.find(u"\r\n" + ustring(key));
    ASSERT_NE(at, ustring::npos) << ToUtf8(key);
    size_t start = at + 2 + std::char_traits<char16_t>::length(key);
    ustring value = text.substr(start, text.find(u"\r\n", start) - start);
    EXPECT_TRUE(value.size() > 2 && value.front() == u'\'' && value.back() == u'\'') << ToUtf8(value);
  }
}

}  // namespace
}  // namespace prn::testing
