#include "spooler/usb_ports.h"

#include <thread>

#include "spooler_fixture.h"
#include "trace/trace.h"

namespace prn::spooler {
namespace {

TEST(DeviceIdValue, ReadsAFieldUpToTheNextSemicolon) {
  EXPECT_EQ(GetDeviceIdValue(u"MFG:Quillon;MDL:QX1;", u"MDL"), u"QX1");
  EXPECT_EQ(GetDeviceIdValue(u"MFG:Quillon;MDL:QX1", u"MDL"), u"QX1");
  EXPECT_EQ(GetDeviceIdValue(u"MFG:Quillon;MDL:QX1;", u"CMD"), u"");
  EXPECT_EQ(GetDeviceIdValue(u"MFG:Quillon;MDL:QX1;", u"mdl"), u"");
  EXPECT_EQ(GetDeviceIdValue(u"MFG:;MDL:QX1;", u"MFG"), u"");
  EXPECT_EQ(GetDeviceIdValue(u"XMDL:A;MDL:B;", u"MDL"), u"A");  // a longer key matches too
}

// Device IDs longer than 32 characters.
constexpr char kLabelId[] = "MFG:Quillon;MDL:QX1;DES:Label Printer;CID:QX 1;";
constexpr char kDesId[] = "MFG:Quillon;MDL:QX1;DES:Quillon QX1 Label;";

TEST(UsbPrinterDescription, ShortIdsAreNumberedLongOnesNamedFromTheirFields) {
  EXPECT_EQ(UsbPrinterDescription(FromAscii(kLabelId), 1), u"QuillonQX1");
  EXPECT_EQ(UsbPrinterDescription(FromAscii(kDesId), 1), u"Quillon QX1 Label");
  ustring exactly32 = u"MFG:Quillon;MDL:QX1;DES:Label;xx";
  ASSERT_EQ(exactly32.size(), 32u);
  EXPECT_EQ(UsbPrinterDescription(exactly32, 3), u"USB Printer 3");
  EXPECT_EQ(UsbPrinterDescription(exactly32 + u";", 3), u"QuillonQX1");
  EXPECT_EQ(UsbPrinterDescription(u"MFG:Quillon;MDL:qx1;DES:Quillon QX1 Label;", 1), u"Quillonqx1");
}

class UsbPorts : public testing::SpoolerTest {
 protected:
  void SetUp() override { spooler.PutDriver(u"Other"); }
  ustring Find(const ustring& model, const ustring& idList = {}) {
    return GetOnlineUSBPortForNotInstallDriver(machine.usb, spooler, lastError, machine.codePage, model, idList);
  }
};

TEST_F(UsbPorts, FitsByDescriptionIgnoringCase) {
  machine.usb.Attach("USB001", "MFG:Acme;MDL:Z9;DES:Acme Z9 Photo printer;");
  machine.usb.Attach("USB002", "MFG:Quillon;MDL:QX1;DES:Label Printer;CID:QX 1;");
  trace::Capture capture;
  EXPECT_EQ(Find(u"quillonqx1"), u"USB002");
  EXPECT_TRUE(capture.Contains(u"找到USB打印機，Port = USB001，ID = MFG:Acme;MDL:Z9;DES:Acme Z9 Photo printer;"));
  EXPECT_TRUE(capture.Contains(u"GetOnlineUSBPortForNotInstallDriver找到尚未關聯的USB端口：USB002"));
  EXPECT_EQ(machine.usb.RefreshCount(), 1);
}

TEST_F(UsbPorts, CidMatchesWithUnderscoresForSpaces) {
  machine.usb.Attach("USB004", "MFG:Quillon;MDL:QX1;DES:Label Printer;CID:QX 1;");
  EXPECT_EQ(Find(u"Other Model", u"USBPRINT\\qx_1,LPTENUM\\QX_1"), u"USB004");
  EXPECT_EQ(Find(u"Other Model", u"USBPRINT\\QX 1"), u"");
  EXPECT_EQ(Find(u"Other Model", u""), u"");
}

TEST_F(UsbPorts, AShortIdFitsOnlyThroughItsNumberedDescription) {
  machine.usb.Attach("USB001", "MFG:Quillon;MDL:QX1;CID:QX 1;");
  EXPECT_EQ(Find(u"Quillon QX1", u"QX 1"), u"");
  EXPECT_EQ(Find(u"usb printer 1"), u"USB001");
}

TEST_F(UsbPorts, TheFirstFittingPrinterOnAFreePortWins) {
  machine.usb.Attach("USB001", kLabelId);
  machine.usb.Attach("USB002", kLabelId);
  machine.usb.Attach("USB003", kLabelId);
  spooler.PutPort(u"USB001");
  spooler.PutPrinter(u"Installed", u"Other", u"USB001");
  EXPECT_EQ(Find(u"QuillonQX1"), u"USB002");
}

TEST_F(UsbPorts, APrinterOnAPortInUseGivesNothing) {
  machine.usb.Attach("USB001", kLabelId);
  spooler.PutPort(u"USB001");
  spooler.PutPrinter(u"Installed", u"Other", u"USB001");
  EXPECT_EQ(Find(u"QuillonQX1"), u"");
}

TEST_F(UsbPorts, AMissingLibraryMeansNoUsbPrinters) {
  machine.usb.Attach("USB001", kLabelId);
  machine.usb.SetMissing(true);
  EXPECT_EQ(Find(u"QuillonQX1"), u"");
}

// The list is process-wide: a refresh between another scan's refresh and
// its reads would swap the printers under it.
TEST_F(UsbPorts, ScansFromTwoThreadsNeverOverlap) {
  for (int i = 1; i <= 4; ++i) machine.usb.Attach("USB00" + std::to_string(i), kDesId);
  auto scanMany = [this] {
    for (int i = 0; i < 200; ++i) Find(u"no such model");
  };
  std::thread other(scanMany);
  scanMany();
  other.join();
  EXPECT_EQ(machine.usb.RefreshCount(), 400);
  EXPECT_EQ(machine.usb.OverlappedReads(), 0);
}

}  // namespace
}  // namespace prn::spooler
