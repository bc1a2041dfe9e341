#include "text/format.h"

#include <gtest/gtest.h>

namespace prn {
namespace {

TEST(SafeFormat, FillsPlaceholdersInOrder) {
  EXPECT_EQ(Format(u"Printer driver (%s) has been successfully installed to print port %s.", {u"QX1", u"USB001"}),
            u"Printer driver (QX1) has been successfully installed to print port USB001.");
  EXPECT_EQ(Format(u"%d#%s", {3, u"x"}), u"3#x");
}

TEST(SafeFormat, MissingArgumentsRenderEmptyAndSurplusIsIgnored) {
  EXPECT_EQ(Format(u"a %s b %s c %d", {u"1"}), u"a 1 b  c ");
  EXPECT_EQ(Format(u"only %s", {u"1", u"2", 3}), u"only 1");
  EXPECT_EQ(Format(u"%n%p%", {}), u"%n%p%");  // not placeholders: copied literally
}

TEST(SafeFormat, HexAndWidths) {
  EXPECT_EQ(Format(u"0x%.8x", {0x1234}), u"0x00001234");
  EXPECT_EQ(Format(u"(%.8X)", {0xE000020BU}), u"(E000020B)");
  EXPECT_EQ(Format(u"%x", {-1}), u"ffffffff");
  EXPECT_EQ(Format(u"%08X", {255}), u"000000FF");
  EXPECT_EQ(Format(u"USB%.3d", {1}), u"USB001");
  EXPECT_EQ(Format(u"%u", {3758096907U}), u"3758096907");
  EXPECT_EQ(Format(u"%d%%", {50}), u"50%");
  EXPECT_EQ(Format(u"%d", {-5}), u"-5");
  EXPECT_EQ(Format(u"%f", {1.5}), u"1.500000");
  EXPECT_EQ(Format(u"%-4s|", {u"ab"}), u"ab  |");
}

TEST(SafeFormat, CountsPlaceholders) {
  EXPECT_EQ(CountPlaceholders(u"%s and %s, 100%%"), 2);
  EXPECT_EQ(CountPlaceholders(u"code: 0x%.8x"), 1);
  EXPECT_EQ(CountPlaceholders(u"none"), 0);
}

}  // namespace
}  // namespace prn
