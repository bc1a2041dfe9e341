#include "install/detection_rules.h"
#include "install/host_command_line.h"
#include "native/host64/host_arguments.h"

#include <gtest/gtest.h>

namespace prn::install {
namespace {

TEST(ProbeCodes, ReadAsTheInstallerReadsThem) {
  EXPECT_EQ(ReadProbeCode(0), ProbeReading::DriverInPlace);
  for (uint32_t code : {2u, 5u, 0x103u, 0x800B0100u, 0xE000022Fu}) {
    EXPECT_EQ(ReadProbeCode(code), ProbeReading::Attached) << code;
  }
  EXPECT_EQ(ReadProbeCode(0xE000020B), ProbeReading::NotAttached);
  EXPECT_EQ(ReadProbeCode(1067), ProbeReading::NotAttached);
  // 0x103 counts as attached but does not start the follow-up check.
  EXPECT_FALSE(NeedsFollowUpCheck(0x103));
  EXPECT_FALSE(NeedsFollowUpCheck(0));
  for (uint32_t code : {2u, 5u, 0x800B0100u, 0xE000022Fu}) EXPECT_TRUE(NeedsFollowUpCheck(code)) << code;
}

TEST(PortFromInstanceId, UsbAndParallelPorts) {
  EXPECT_EQ(PortFromInstanceId(u"USBPRINT\\QUILLONQX17A3F\\7&2A3B&0&USB001"), u"USB001");
  EXPECT_EQ(PortFromInstanceId(u"LPTENUM\\QUILLONQX17A3F\\5&1C&0&LPT1"), u"LPT1:");
  EXPECT_EQ(PortFromInstanceId(u"ROOT\\PRINTER\\0000"), u"");
  // Without the marker the characters come from the start of the ID.
  EXPECT_EQ(PortFromInstanceId(u"USBPRINT\\X"), u"USBPRI");
  EXPECT_EQ(PortFromInstanceId(u"LPTENUM\\X"), u"LPTE:");
}

// What the host's own parser reads back is what the installer meant; an ID
// that would read otherwise (a blank splits it, a quote regroups it, a
// leading "/" makes it a switch) is refused, not passed.
TEST(HostCommandLine, TheHostReadsBackWhatWasMeantOrTheIdIsRefused) {
  HostCommand command{u"C:\\Windows\\Temp\\PrnSetup-1\\PrnSetup64.exe", 0x80001234u,
                      u"C:\\Windows\\Temp\\PrnSetup-1\\inst2k64.dll", u"C:\\Program Files\\Q\\x64\\",
                      u"USBPRINT\\QuillonQX17A3F\\", u"C:\\Windows\\Temp\\PrnSetup-1\\tmp1.tmp"};
  std::optional<ustring> line = BuildHostCommandLine(command);
  ASSERT_TRUE(line);
  host64::HostArguments parsed = host64::ParseHostCommandLine(*line);
  EXPECT_EQ(parsed.dll, command.libraryPath);
  EXPECT_EQ(parsed.inf, command.infPath);  // its trailing backslash does not swallow the quote
  EXPECT_EQ(parsed.hardwareId, command.hardwareId);
  EXPECT_EQ(parsed.resultFile, *command.resultFile);
  EXPECT_EQ(parsed.window, 0x80001234u);  // the top bit survives the host's signed reading

  for (const char16_t* id : {u"Quillon QX1", u"Q\"X", u"/FindHWID", u"", u"Q\tX"}) {
    command.hardwareId = id;
    EXPECT_FALSE(BuildHostCommandLine(command)) << ToUtf8(id);
  }
}

TEST(RetValue, KeepsTheLow32BitsOfA64BitNumber) {
  EXPECT_EQ(ParseRetValue(u"3758096907"), 0xE000020Bu);
  EXPECT_EQ(ParseRetValue(u"0"), 0u);
  EXPECT_EQ(ParseRetValue(u"1067"), 1067u);
  EXPECT_EQ(ParseRetValue(u"4294967298"), 2u);
  EXPECT_EQ(ParseRetValue(u"-1"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseRetValue(u"junk"), 1067u);
}

TEST(InstallFlag, ZeroAndOneAreSuccess) {
  EXPECT_TRUE(IsInstallFlagSuccess(0));
  EXPECT_TRUE(IsInstallFlagSuccess(1));
  EXPECT_FALSE(IsInstallFlagSuccess(-1));
  EXPECT_FALSE(IsInstallFlagSuccess(2));
}

}  // namespace
}  // namespace prn::install
