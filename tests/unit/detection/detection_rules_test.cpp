#include "install/detection_rules.h"

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

TEST(HostCommandLine, InstallAndFindModes) {
  EXPECT_EQ(BuildHostCommandLine(u"C:\\Work\\PrnSetup64.exe", 65810, u"inst2k64.dll", u"QuillonQX1.inf",
                                 u"QuillonQX17A3F", u"C:\\Temp\\tmp12.tmp"),
            u"\"C:\\Work\\PrnSetup64.exe\" /Handle 65810 /Dll \"inst2k64.dll\" /Inf \"QuillonQX1.inf\" /HWID "
            u"QuillonQX17A3F /FindHWID \"C:\\Temp\\tmp12.tmp\"");
  EXPECT_EQ(BuildHostCommandLine(u"H.exe", 7, u"d.dll", u"a.inf", u"ID", std::nullopt),
            u"\"H.exe\" /Handle 7 /Dll \"d.dll\" /Inf \"a.inf\" /HWID ID");
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
