// The INF model lookup, from the INF format's rules: the decorated models
// section a platform reads, %strkey% and comment syntax, several
// manufacturers, and the install section a platform processes.

#include "config/inf_models.h"

#include <gtest/gtest.h>

#include "sim/codepage.h"

namespace prn::config {
namespace {

InfFile Inf(const char* text, uint16_t languageId = 0x0409) {
  return InfFile::Parse(text, sim::SimCodePage(1252), languageId);
}

constexpr InfPlatform kXp{InfArchitecture::X86, 5, 1, 2600};
constexpr InfPlatform kXp64{InfArchitecture::Amd64, 5, 2, 3790};
constexpr InfPlatform kWin7x86{InfArchitecture::X86, 6, 1, 7601};
constexpr InfPlatform kWin7x64{InfArchitecture::Amd64, 6, 1, 7601};
constexpr InfPlatform kWin10x64{InfArchitecture::Amd64, 10, 0, 19045};

StringList SectionNames(const InfFile& inf, const InfPlatform& platform) {
  StringList names;
  for (const auto& section : ModelsSectionsFor(inf, platform)) names.push_back(section.name);
  return names;
}

TEST(InfModelsSections, EachManufacturerTakesItsClosestDecorationAndOnlyX86FallsBackToThePlainSection) {
  const InfFile inf = Inf(
      "[Manufacturer]\n"
      "%Quillon% = Quillon, NTx86, NTamd64, NT.6.1, NTamd64.6.1, NT.10.0\n"
      "Tessaline                              ; a bare name is its own models section\n"
      "\"Kelvaro\" = Kelvaro, NTamd64.6.0, NTia64\n"
      "[Strings]\nQuillon = \"Quillon Printers\"\n");

  EXPECT_EQ(SectionNames(inf, kXp), (StringList{u"Quillon.NTx86", u"Tessaline", u"Kelvaro"}));
  // 6.1 and 10.0 lie above XP x64's 5.2; without a decoration 64-bit Windows reads nothing.
  EXPECT_EQ(SectionNames(inf, kXp64), (StringList{u"Quillon.NTamd64"}));
  // Equal versions: the named architecture wins over plain NT.
  EXPECT_EQ(SectionNames(inf, kWin7x64), (StringList{u"Quillon.NTamd64.6.1", u"Kelvaro.NTamd64.6.0"}));
  EXPECT_EQ(SectionNames(inf, kWin7x86), (StringList{u"Quillon.NT.6.1", u"Tessaline", u"Kelvaro"}));
  // A higher version wins over a named architecture.
  EXPECT_EQ(SectionNames(inf, kWin10x64), (StringList{u"Quillon.NT.10.0", u"Kelvaro.NTamd64.6.0"}));
  EXPECT_EQ(ModelsSectionsFor(inf, kXp)[0].manufacturer, u"Quillon Printers");
  EXPECT_EQ(ModelsSectionsFor(inf, kXp)[2].manufacturerLine, 4);
}

TEST(InfModelsSections, ProductTypeAndBuildNumberNarrowADecoration) {
  const InfFile inf = Inf(
      "[Manufacturer]\n"
      "Q = Q, NTamd64.6.1.3, NTamd64.10.0...22000, NTamd64.6.0\n");  // server only; build 22000 and later
  EXPECT_EQ(SectionNames(inf, kWin7x64), (StringList{u"Q.NTamd64.6.0"}));
  EXPECT_EQ(SectionNames(inf, kWin10x64), (StringList{u"Q.NTamd64.6.0"}));
  EXPECT_EQ(SectionNames(inf, (InfPlatform{InfArchitecture::Amd64, 10, 0, 22631})),
            (StringList{u"Q.NTamd64.10.0...22000"}));
}

TEST(InfModels, NamesResolveThroughTheLanguagesStringsAndKeepQuotedCommasAndBlanks) {
  const char* text =
      "[Manufacturer]\n"
      "%Mfg%=Quillon,NTamd64\n"
      "[Quillon.NTamd64]\n"
      "%QX1% = QX1.GPD, USBPRINT\\QuillonQX17A3F, \\\n"
      "        QuillonQX17A3F   ; the compatible ID continues the line\n"
      "[QUILLON.ntamd64]\n"  // the same section again, in another case
      "\"Quillon QX5, 100%% duty\" = QX5.GPD, USBPRINT\\QuillonQX5B41E\n"
      "[Strings]\n"
      "Mfg = \"Quillon\"\n"
      "QX1 = \"Quillon  QX1 \"\"Flat\"\"\"\n"
      "[Strings.0804]\n"
      "QX1 = \"奎隆 QX1\"\n";

  const InfFile english = Inf(text);
  auto qx1 = FindModel(english, kWin7x64, u"quillon  qx1 \"FLAT\"");
  ASSERT_EQ(qx1.size(), 1u);
  EXPECT_EQ(qx1[0].installSection, u"QX1.GPD");
  EXPECT_EQ(qx1[0].ids, (StringList{u"USBPRINT\\QuillonQX17A3F", u"QuillonQX17A3F"}));
  EXPECT_EQ(qx1[0].modelsSection, u"Quillon.NTamd64");
  EXPECT_EQ(qx1[0].line, 4);
  EXPECT_EQ(FindModel(english, kWin7x64, u"Quillon QX5, 100% duty").size(), 1u);
  EXPECT_TRUE(FindModel(english, kXp, u"Quillon QX5, 100% duty").empty()) << "no undecorated [Quillon]";

  const InfFile chinese = Inf(text, 0x0804);
  EXPECT_EQ(FindModel(chinese, kWin7x64, u"奎隆 QX1").size(), 1u);
  EXPECT_TRUE(FindModel(chinese, kWin7x64, u"Quillon  QX1 \"Flat\"").empty());
}

TEST(InfModels, ThePlatformProcessesItsOwnInstallSectionFirst) {
  const InfFile inf = Inf("[QX1.GPD]\n[QX1.GPD.NT]\n[QX1.GPD.NTamd64]\n[QX5.GPD]\n");
  EXPECT_EQ(InstallSectionFor(inf, u"QX1.GPD", kWin7x64), u"QX1.GPD.NTamd64");
  EXPECT_EQ(InstallSectionFor(inf, u"QX1.GPD", kWin7x86), u"QX1.GPD.NT");
  EXPECT_EQ(InstallSectionFor(inf, u"QX5.GPD", kWin7x64), u"QX5.GPD");
  EXPECT_EQ(InstallSectionFor(inf, u"QX9.GPD", kWin7x64), std::nullopt);
}

}  // namespace
}  // namespace prn::config
