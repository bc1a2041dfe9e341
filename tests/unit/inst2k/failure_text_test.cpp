// Composing failure texts within the library's fixed buffers.

#include <gtest/gtest.h>

#include "native/inst2k/failure_text.h"
#include "sim/codepage.h"

namespace prn::inst2k {
namespace {

TEST(FailureText, FillsTheSystemTextOrTheCode) {
  sim::SimCodePage codePage(1252);
  EXPECT_EQ(ComposeFailureText(codePage, "%s fail: %s\n", "EnumDeviceInfo", std::string("Access is denied.\r\n"), 5),
            "EnumDeviceInfo fail: Access is denied.\r\n\n");
  EXPECT_EQ(ComposeFailureText(codePage, "%s fail: (0x%08X)\n", "EnumDeviceInfo", std::nullopt, 0xE000020B),
            "EnumDeviceInfo fail: (0xE000020B)\n");
}

TEST(FailureText, StaysWithinTheBoxBufferWhateverThePatternHolds) {
  sim::SimCodePage codePage(1252);
  std::string pattern = std::string(250, 'p') + "%s %s %s %d";
  std::string text = ComposeFailureText(codePage, pattern, std::string(200, 'l'), std::string(199, 's'), 1);
  EXPECT_EQ(text.size(), kBoxTextBufferSize - 1);
  EXPECT_EQ(text.substr(0, 250), std::string(250, 'p'));
}

TEST(FailureText, APatternIsCutToTheStringBuffer) {
  sim::SimCodePage codePage(1252);
  std::string pattern = std::string(257, 'p') + "%s and more";
  EXPECT_EQ(ComposeFailureText(codePage, pattern, "label", std::nullopt, 0), std::string(257, 'p') + "label");
}

TEST(FailureText, CuttingNeverSplitsADoubleByteCharacter) {
  sim::SimCodePage chinese(936);
  std::string wide = chinese.ToAnsi(ustring(200, u'错'));  // 400 bytes
  std::string fitted = FitAnsi(chinese, "x" + wide, kBoxTextBufferSize);
  EXPECT_EQ(fitted.size(), 299u);
  EXPECT_EQ(chinese.FromAnsi(fitted), u"x" + ustring(149, u'错'));
  EXPECT_EQ(FitAnsi(chinese, wide, kBoxTextBufferSize).size(), 298u);
}

}  // namespace
}  // namespace prn::inst2k
