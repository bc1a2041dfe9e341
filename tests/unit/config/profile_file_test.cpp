#include "config/profile_file.h"

#include <gtest/gtest.h>

#include "sim/codepage.h"
#include "testing/test_files.h"

namespace prn::config {
namespace {

ProfileFile Parse(ustring_view text) {
  static sim::SimCodePage ansi(1252);
  return ProfileFile::Parse(testing::Utf16LeWithBom(text), ansi);
}

TEST(ProfileFile, BlanksQuotesAndComments) {
  auto ini = Parse(
      u"; leading comment\r\n"
      u"[ Models ]\r\n"
      u"  Name   =   Quillon QX1   \r\n"
      u"Quoted = \"  spaced  \"\r\n"
      u"Single = 'it''s'\r\n"
      u"Unmatched = \"open\r\n"
      u"  ; Comment = not a key\r\n"
      u"Empty =\r\n");
  EXPECT_EQ(ini.ReadString(u"models", u"NAME", u"d"), u"Quillon QX1");
  EXPECT_EQ(ini.ReadString(u"Models", u"Quoted", u"d"), u"  spaced  ");
  EXPECT_EQ(ini.ReadString(u"Models", u"Single", u"d"), u"it''s");
  EXPECT_EQ(ini.ReadString(u"Models", u"Unmatched", u"d"), u"\"open");
  EXPECT_EQ(ini.ReadString(u"Models", u"; Comment", u"d"), u"d");
  // A present key with an empty value reads empty, not the default.
  EXPECT_EQ(ini.ReadString(u"Models", u"Empty", u"d"), u"");
  EXPECT_EQ(ini.ReadString(u"Models", u"Absent", u"d"), u"d");
}

TEST(ProfileFile, SectionsInFileOrderAndFirstKeyWins) {
  auto ini = Parse(u"[B]\nk=1\nk=2\n[A]\n[C]\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<ustring>{u"B", u"A", u"C"}));
  EXPECT_EQ(ini.ReadString(u"B", u"k", u""), u"1");
}

TEST(ProfileFile, ValuesAreCutAt2047Characters) {
  ustring longValue(3000, u'x');
  auto ini = Parse(u"[S]\nLong=" + longValue + u"\n");
  EXPECT_EQ(ini.ReadString(u"S", u"Long", u"").size(), 2047u);
}

TEST(ProfileFile, ReadsBomLessUtf8AndAnsi) {
  sim::SimCodePage chinese(936);
  auto utf8 = ProfileFile::Parse("[S]\nName=\xE6\x89\x93\xE5\x8D\xB0\xE6\x9C\xBA\n", chinese);
  EXPECT_EQ(utf8.ReadString(u"S", u"Name", u""), u"打印机");
  auto ansi = ProfileFile::Parse("[S]\nName=" + chinese.ToAnsi(u"打印机") + "\n", chinese);
  EXPECT_EQ(ansi.ReadString(u"S", u"Name", u""), u"打印机");
}

TEST(ProfileFile, IntegersInDecimalDollarAndHex) {
  auto ini = Parse(u"[S]\na=42\nb=-7\nc=$1F\nd=0x10\ne=0X\nf=12abc\ng=$FFFFFFFF\nh=+5\ni=99999999999\nj=0x\n");
  EXPECT_EQ(ini.ReadInteger(u"S", u"a", 0), 42);
  EXPECT_EQ(ini.ReadInteger(u"S", u"b", 0), -7);
  EXPECT_EQ(ini.ReadInteger(u"S", u"c", 0), 31);
  EXPECT_EQ(ini.ReadInteger(u"S", u"d", 0), 16);
  EXPECT_EQ(ini.ReadInteger(u"S", u"e", 5), 5);   // "0X" alone is no number
  EXPECT_EQ(ini.ReadInteger(u"S", u"f", 5), 5);
  EXPECT_EQ(ini.ReadInteger(u"S", u"g", 0), -1);
  EXPECT_EQ(ini.ReadInteger(u"S", u"h", 0), 5);
  EXPECT_EQ(ini.ReadInteger(u"S", u"i", 3), 3);  // out of range
  EXPECT_EQ(ini.ReadInteger(u"S", u"j", 4), 4);
  EXPECT_EQ(ini.ReadInteger(u"S", u"missing", 9), 9);
  EXPECT_TRUE(ini.ReadBool(u"S", u"h", false));
  EXPECT_FALSE(ini.ReadBool(u"S", u"f", false));
}

}  // namespace
}  // namespace prn::config
