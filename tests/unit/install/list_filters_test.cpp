#include <gtest/gtest.h>

#include "install/ui_add_printer.h"

namespace prn {
namespace {

TEST(FilterByPrefix, KeepsModelNamesInOrderWithoutRegardToAsciiCase) {
  StringList list{u"Other Printer", u"quillon qx1 (Copy 1)", u"Fax", u"Quillon QX1", u"QUILLON QX10"};
  FilterByPrefix(list, u"Quillon QX1");
  EXPECT_EQ(list, (StringList{u"quillon qx1 (Copy 1)", u"Quillon QX1", u"QUILLON QX10"}));
}

TEST(FilterByPrefix, EmptyPrefixEmptiesTheList) {
  StringList list{u"Quillon QX1", u"Other Printer"};
  FilterByPrefix(list, u"");
  EXPECT_TRUE(list.empty());
}

TEST(FilterByPrefix, FoldsOnlyAsciiLetters) {
  StringList list{u"\u00e9cran QX1", u"\u00c9cran QX1"};
  FilterByPrefix(list, u"\u00c9cran");
  EXPECT_EQ(list, StringList{u"\u00c9cran QX1"});
}

TEST(RemoveListed, LeavesWhatTheSecondListLacks) {
  StringList a{u"P1", u"P2", u"P3"};
  RemoveListed(a, {u"p2"});
  EXPECT_EQ(a, (StringList{u"P1", u"P3"}));
}

TEST(RemoveListed, RemovesEveryDuplicateAndIgnoresEmptyLists) {
  StringList a{u"Q", u"x", u"q", u"Y"};
  RemoveListed(a, {u"q", u"y"});
  EXPECT_EQ(a, StringList{u"x"});

  StringList unchanged{u"P1", u"P2"};
  RemoveListed(unchanged, {});
  EXPECT_EQ(unchanged, (StringList{u"P1", u"P2"}));
  StringList empty;
  RemoveListed(empty, {u"P1"});
  EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace prn
