#include <gtest/gtest.h>

#include "install/driver_ver.h"
#include "sim/machine.h"
#include "testing/test_files.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {
namespace {

using Parts = std::vector<int32_t>;

TEST(ParseDriverVer, SplitsDateAndPadsVersionToFourParts) {
  DriverVer ver = ParseDriverVer(u"01/15/2020,3.0.1");
  EXPECT_EQ(ver.dateText, u"01/15/2020");
  EXPECT_EQ(ver.parts, (Parts{3, 0, 1, 0}));

  EXPECT_EQ(ParseDriverVer(u"01/15/2020, 3.0.1.5.2 ").parts, (Parts{3, 0, 1, 5, 2}));
  EXPECT_EQ(ParseDriverVer(u"01/15/2020,3.x.1 7").parts, (Parts{3, 0, 1, 7}));  // not a number: 0; blank separates
  EXPECT_EQ(ParseDriverVer(u"01/15/2020,").parts, (Parts{0, 0, 0, 0}));
}

TEST(ParseDriverVer, WithoutCommaTheDateIsEmptyAndTheVersionIsTheFirst25Characters) {
  DriverVer ver = ParseDriverVer(u"1.2.3.4.5.6.7.8.9.10.11.12.13");
  EXPECT_EQ(ver.dateText, u"");
  // "1.2.3.4.5.6.7.8.9.10.11.1" is what fits into 25 characters.
  EXPECT_EQ(ver.parts, (Parts{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1}));
}

TEST(SplitCommaText, BlanksAroundCommasBelongToNoItem) {
  EXPECT_EQ(SplitCommaText(u" a , b c,,d,"), (StringList{u"a", u"b", u"c", u"", u"d", u""}));
  EXPECT_TRUE(SplitCommaText(u"   ").empty());
}

class InfCompareVersionTest : public ::testing::Test {
 protected:
  void WriteInf(const ustring& path, const ustring& driverVer) {
    testing::WriteFile(machine.files, path,
                       "[Version]\r\nSignature=\"$Windows NT$\"\r\nDriverVer=" + ToUtf8(driverVer) + "\r\n");
  }
  int32_t Compare(const ustring& first, const ustring& second) {
    WriteInf(u"C:\\a.inf", first);
    WriteInf(u"C:\\b.inf", second);
    return InfCompareVersion(machine.files, machine.codePage, u"C:\\a.inf", u"C:\\b.inf");
  }

  sim::Machine machine;
};

TEST_F(InfCompareVersionTest, MissingFileAnswersLargestInteger) {
  WriteInf(u"C:\\a.inf", u"01/15/2020,3.0.1.5");
  EXPECT_EQ(InfCompareVersion(machine.files, machine.codePage, u"C:\\a.inf", u"C:\\none.inf"), 0x7FFFFFFF);
  EXPECT_EQ(InfCompareVersion(machine.files, machine.codePage, u"C:\\none.inf", u"C:\\a.inf"), 0x7FFFFFFF);
}

TEST_F(InfCompareVersionTest, FirstDifferingPartDecides) {
  EXPECT_EQ(Compare(u"01/15/2020,3.0.2.0", u"01/15/2020,3.0.1.9"), 1);
  EXPECT_EQ(Compare(u"01/15/2020,3.0.1.9", u"01/15/2020,3.0.10.0"), -1);
  EXPECT_EQ(Compare(u"01/15/2020,3.0.1.9", u"12/31/2030,3.0.1.5"), 1);  // the date does not count then
}

TEST_F(InfCompareVersionTest, SameVersionComparesDatesWithinOneDay) {
  trace::Capture trace;
  EXPECT_EQ(Compare(u"01/16/2020,3.0.1.5", u"01/15/2020,3.0.1.5"), 0);
  EXPECT_TRUE(trace.Contains(u"版本號相同，比較日期！"));
  EXPECT_TRUE(trace.Contains(u"日期相差：1.000000"));
  EXPECT_TRUE(trace.Contains(u"準備比較版本號，長度（1 - 4）！"));
  EXPECT_EQ(Compare(u"01/17/2020,3.0.1.5", u"01/15/2020,3.0.1.5"), 1);
  EXPECT_EQ(Compare(u"12/31/2019,3.0.1.5", u"01/02/2020,3.0.1.5"), -1);
  EXPECT_EQ(Compare(u"02/28/2020,3.0.1.5", u"03/01/2020,3.0.1.5"), -1);  // 2020 is a leap year
}

TEST_F(InfCompareVersionTest, PaddedVersionsCompareEqualAndMorePartsAreNewer) {
  EXPECT_EQ(Compare(u"01/15/2020,3.0.1", u"01/15/2020,3.0.1.0"), 0);
  EXPECT_EQ(Compare(u"01/15/2020,3.0.1", u"01/18/2020,3.0.1.0"), -1);
  EXPECT_EQ(Compare(u"01/15/2020,3.0.1.0.1", u"01/15/2020,3.0.1.0"), 1);
  EXPECT_EQ(Compare(u"01/15/2020,3.0.1.0", u"01/15/2020,3.0.1.0.0"), -1);
}

TEST_F(InfCompareVersionTest, DriverVerWithoutCommaComparesByVersionAlone) {
  EXPECT_EQ(Compare(u"3.0.2", u"01/15/2020,3.0.1"), 1);
}

TEST_F(InfCompareVersionTest, UnreadableDateOfEqualVersionsRaisesTheFormatError) {
  try {
    Compare(u"13/40/2020,3.0.1.5", u"01/15/2020,3.0.1.5");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"Inf DriverVer Format Error: INF1<13/40/2020> INF2<01/15/2020>");
  }
  EXPECT_THROW(Compare(u"3.0.1.5", u"01/15/2020,3.0.1.5"), Error);
  EXPECT_THROW(Compare(u"01/15,3.0.1.5", u"01/15/2020,3.0.1.5"), Error);
  EXPECT_THROW(Compare(u"02/29/2019,3.0.1.5", u"01/15/2020,3.0.1.5"), Error);
}

TEST_F(InfCompareVersionTest, ReadsUtf16Inf) {
  testing::WriteUtf16File(machine.files, u"C:\\a.inf", u"[Version]\r\nDriverVer = 01/15/2020,4.0\r\n");
  WriteInf(u"C:\\b.inf", u"01/15/2020,3.9");
  EXPECT_EQ(InfCompareVersion(machine.files, machine.codePage, u"C:\\a.inf", u"C:\\b.inf"), 1);
}

}  // namespace
}  // namespace prn::install
