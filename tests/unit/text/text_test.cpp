#include <gtest/gtest.h>

#include "sim/codepage.h"
#include "text/ascii.h"
#include "text/ustring.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn {
namespace {

TEST(AsciiCase, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(EqualsNoCase(u"quillon qx1", u"QUILLON QX1"));
  EXPECT_FALSE(EqualsNoCase(u"é", u"É"));  // no folding outside a-z
  EXPECT_EQ(AsciiUpper(ustring(u"abcé")), u"ABCé");
  EXPECT_TRUE(StartsWithNoCase(u"quillon qx1 (Copy 1)", u"Quillon QX1"));
  EXPECT_EQ(FindNoCase(u"xxUSB001", u"usb"), 2u);
}

TEST(Utf8, RoundTripsChineseAndSurrogates) {
  ustring text = u"准备安装 \U0001F5A8 QX1";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(WindowsPaths, ExpandsAndRelates) {
  EXPECT_EQ(FullWindowsPath(u"C:\\Pkg", u"Setup.Ini"), u"C:\\Pkg\\Setup.Ini");
  EXPECT_EQ(FullWindowsPath(u"C:\\Pkg\\Sub", u"..\\x\\.\\y"), u"C:\\Pkg\\x\\y");
  EXPECT_EQ(FullWindowsPath(u"C:\\Pkg", u"D:\\a"), u"D:\\a");
  EXPECT_EQ(FullWindowsPath(u"C:\\Pkg", u"\\Windows"), u"C:\\Windows");
  EXPECT_EQ(RelativeWindowsPath(u"C:\\Work", u"C:\\Work\\inst2k64.dll"), u"inst2k64.dll");
  EXPECT_EQ(RelativeWindowsPath(u"C:\\Work\\tmp1", u"C:\\Program Files\\Q\\a.inf"),
            u"..\\..\\Program Files\\Q\\a.inf");
  EXPECT_EQ(RelativeWindowsPath(u"C:\\Work", u"D:\\a.inf"), u"D:\\a.inf");
}

TEST(SimulatedCodePage, UnmappableCharactersBecomeQuestionMarks) {
  sim::SimCodePage western(1252);
  EXPECT_EQ(western.ToAnsi(u"Caf\u00e9"), "Caf\xe9");
  EXPECT_EQ(western.ToAnsi(u"打印机"), "???");
  sim::SimCodePage chinese(936);
  EXPECT_EQ(chinese.FromAnsi(chinese.ToAnsi(u"打印机")), u"打印机");
}

TEST(Trace, CaptureSeesEveryKindOfLine) {
  trace::Capture capture;
  {
    trace::Scope scope(u"_ResLoad()");
    trace::Format(u"准备从%s創建臨時文件夾。", {u"C:\\T"}, u"加载");
  }
  auto lines = capture.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].kind, trace::Line::Kind::Enter);
  EXPECT_EQ(lines[1].text, u"准备从C:\\T創建臨時文件夾。");
  EXPECT_EQ(lines[1].tag, u"加载");
  EXPECT_EQ(lines[2].kind, trace::Line::Kind::Leave);
  EXPECT_TRUE(capture.Contains(u"創建臨時"));
}

}  // namespace
}  // namespace prn
