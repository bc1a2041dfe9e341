#include <gtest/gtest.h>

#include "text/command_line.h"

namespace prn {
namespace {

TEST(SplitCommandLine, FollowsTheWindowsArgumentRules) {
  EXPECT_EQ(SplitCommandLine(u"\"C:\\Program Files\\x.exe\" a  \"b c\" d\"e f\"g"),
            (StringList{u"C:\\Program Files\\x.exe", u"a", u"b c", u"de fg"}));
  EXPECT_EQ(SplitCommandLine(u"x.exe a\\\\\\\"b \"c\\\\\" d\\e"), (StringList{u"x.exe", u"a\\\"b", u"c\\", u"d\\e"}));
  EXPECT_EQ(SplitCommandLine(u"x.exe \"\" \"a\"\"b\""), (StringList{u"x.exe", u"", u"a\"b"}));
  EXPECT_EQ(SplitCommandLine(u"C:\\dir\\x.exe"), StringList{u"C:\\dir\\x.exe"});
}

TEST(SplitCommandLine, EmbeddedQuoteShiftsTheFollowingArguments) {
  StringList args = SplitCommandLine(u"rundll32 x,y /b \"Q\"X\" /f \"a.inf\"");
  EXPECT_EQ(args, (StringList{u"rundll32", u"x,y", u"/b", u"QX /f a.inf"}));
}

TEST(ArgumentsText, IsTheTextBehindTheProgramName) {
  EXPECT_EQ(ArgumentsText(u"\"C:\\a b\\r.exe\"   printui.dll,PrintUIEntry /q"), u"printui.dll,PrintUIEntry /q");
  EXPECT_EQ(ArgumentsText(u"r.exe"), u"");
}

}  // namespace
}  // namespace prn
