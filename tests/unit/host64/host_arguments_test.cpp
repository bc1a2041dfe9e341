// Reading the host's command line.

#include <gtest/gtest.h>

#include "native/host64/host_arguments.h"

namespace prn::host64 {
namespace {

TEST(HostArguments, ReadsTheInstallersCommandLine) {
  HostArguments parsed = ParseHostArguments({u"/Handle", u"65810", u"/Dll", u"inst2k64.dll", u"/Inf", u"QuillonQX1.inf",
                                             u"/HWID", u"QuillonQX17A3F", u"/FindHWID", u"C:\\Temp\\tmp12.tmp"});
  EXPECT_EQ(parsed.window, 65810u);
  EXPECT_EQ(parsed.dll, u"inst2k64.dll");
  EXPECT_EQ(parsed.inf, u"QuillonQX1.inf");
  EXPECT_EQ(parsed.hardwareId, u"QuillonQX17A3F");
  EXPECT_EQ(parsed.resultFile, u"C:\\Temp\\tmp12.tmp");
  EXPECT_TRUE(parsed.FindMode());
}

TEST(HostArguments, SwitchNamesMatchInAnyCase) {
  HostArguments parsed = ParseHostArguments({u"/hwid", u"A", u"/DLL", u"x.dll", u"/inF", u"y.inf", u"/handle", u"7"});
  EXPECT_EQ(parsed.hardwareId, u"A");
  EXPECT_EQ(parsed.dll, u"x.dll");
  EXPECT_EQ(parsed.inf, u"y.inf");
  EXPECT_EQ(parsed.window, 7u);
  EXPECT_FALSE(parsed.FindMode());
}

TEST(HostArguments, AnUnknownSwitchSwallowsTheValuesAfterIt) {
  HostArguments parsed = ParseHostArguments({u"/HWID", u"A", u"/Port", u"LPT1:", u"B", u"/Inf", u"y.inf"});
  EXPECT_EQ(parsed.hardwareId, u"A");
  EXPECT_EQ(parsed.inf, u"y.inf");
}

TEST(HostArguments, TheLaterValueWinsAndValuesBeforeAnySwitchAreIgnored) {
  HostArguments parsed = ParseHostArguments({u"Files\\PrnSetup64.exe", u"/HWID", u"A", u"B", u"/HWID", u"C", u"D"});
  EXPECT_EQ(parsed.hardwareId, u"D");
  EXPECT_EQ(parsed.dll, u"");
}

TEST(HostArguments, TheHandleIsReadAsWcstolDoesAndWidenedWithoutSign) {
  EXPECT_EQ(ParseWindowHandle(u"  +42xyz"), 42u);
  EXPECT_EQ(ParseWindowHandle(u"abc"), 0u);
  EXPECT_EQ(ParseWindowHandle(u""), 0u);
  EXPECT_EQ(ParseWindowHandle(u"-1"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseWindowHandle(u"99999999999"), 0x7FFFFFFFu);
  EXPECT_EQ(ParseWindowHandle(u"-99999999999"), 0x80000000u);
}

}  // namespace
}  // namespace prn::host64
