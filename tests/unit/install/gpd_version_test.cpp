#include <gtest/gtest.h>

#include "install/older_driver_removal.h"
#include "text/error.h"

namespace prn::install {
namespace {

TEST(GpdVersionOfLine, TakesUpToTenCharactersBeforeTheQuote) {
  EXPECT_EQ(GpdVersionOfLine(u"*GPDFileVersion: \"1.0.2.8\""), u"1.0.2.8");
  EXPECT_EQ(GpdVersionOfLine(u"*GPDFileVersion: \"123456789\""), u"123456789");
  EXPECT_EQ(GpdVersionOfLine(u"*GPDFileVersion: \"1234567890\""), u"");  // ten characters: no quote within them
  EXPECT_EQ(GpdVersionOfLine(u"*GPDFileVersion: \"1.0"), u"");
  EXPECT_EQ(GpdVersionOfLine(u" *GPDFileVersion: \"1.0\""), std::nullopt);
  EXPECT_EQ(GpdVersionOfLine(u"*GPDFileVersion: 1.0"), std::nullopt);
}

TEST(GpdVersionOfText, LaterLineWins) {
  EXPECT_EQ(GpdVersionOfText(u"*GPDSpecVersion: \"1.0\"\r\n*GPDFileVersion: \"1.0\"\r\n*GPDFileVersion: \"2.1\"\n"),
            u"2.1");
  EXPECT_EQ(GpdVersionOfText(u"*ModelName: \"QX1\""), std::nullopt);
}

TEST(IsOlderVersion, FirstDifferingPartDecidesAndMissingPartsAreZero) {
  EXPECT_TRUE(IsOlderVersion(u"1.0.2.8", u"1.0.3"));
  EXPECT_FALSE(IsOlderVersion(u"1.1.0", u"1.0.3"));
  EXPECT_FALSE(IsOlderVersion(u"2.0", u"1.5"));
  EXPECT_FALSE(IsOlderVersion(u"1.0.3", u"1.0.3.0"));
  EXPECT_TRUE(IsOlderVersion(u"1.0", u"1.0.0.1"));
  EXPECT_FALSE(IsOlderVersion(u"1.10", u"1.9"));
}

TEST(IsOlderVersion, NoInstalledVersionIsNeverOlder) {
  EXPECT_FALSE(IsOlderVersion(u"", u"1.0.3"));
  EXPECT_FALSE(IsOlderVersion(u"", u"not a version"));
}

TEST(IsOlderVersion, PartThatIsNoNumberRaisesAClearError) {
  try {
    IsOlderVersion(u"1.0.beta", u"1.0.3");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_NE(error.Text().find(u"\"1.0.beta\" is not a version number"), ustring::npos);
  }
  EXPECT_THROW(IsOlderVersion(u"1.0", u"1..3"), Error);
  EXPECT_THROW(IsOlderVersion(u"1.0", u"1.-3"), Error);
  EXPECT_THROW(IsOlderVersion(u"1.0", u"99999999999"), Error);
}

}  // namespace
}  // namespace prn::install
