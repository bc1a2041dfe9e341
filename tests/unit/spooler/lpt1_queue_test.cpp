#include "spooler/printer_update.h"

#include "spooler_fixture.h"
#include "sys/spooler.h"
#include "sys/win_errors.h"

namespace prn::spooler {
namespace {

class Lpt1Queue : public testing::SpoolerTest {
 protected:
  void SetUp() override { spooler.PutDriver(u"Quillon QX1"); }
};

TEST_F(Lpt1Queue, CreatesTheQueueWithTheFixedA4DeviceMode) {
  ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, u"Quillon QX1", u"Quillon QX1"));
  auto added = spooler.AddedPrinters();
  ASSERT_EQ(added.size(), 1u);
  const auto& info = added[0];
  EXPECT_EQ(info.pPortName, u"LPT1:");
  EXPECT_EQ(info.pDriverName, u"Quillon QX1");
  EXPECT_EQ(info.pPrintProcessor, u"WinPrint");
  EXPECT_EQ(info.pDatatype, u"RAW");
  EXPECT_EQ(info.Attributes, 0x40u);
  EXPECT_EQ(info.Priority, 1u);
  ASSERT_TRUE(info.pDevMode);
  const auto& dm = info.pDevMode->dm;
  EXPECT_EQ(sys::FixedText(dm.dmDeviceName), u"Quillon QX1");
  EXPECT_EQ(dm.dmSpecVersion, 0x401);
  EXPECT_EQ(dm.dmDriverVersion, 0x100);
  EXPECT_EQ(dm.dmSize, 220);
  EXPECT_EQ(dm.dmDriverExtra, 0);
  EXPECT_EQ(dm.dmFields, 0x0581CF43u);
  EXPECT_EQ(dm.dmPaperSize, 9);
  EXPECT_EQ(dm.dmPaperLength, 2970);
  EXPECT_EQ(dm.dmPaperWidth, 2100);
  EXPECT_EQ(dm.dmDefaultSource, 15);
  EXPECT_EQ(dm.dmPrintQuality, 180);
  EXPECT_EQ(dm.dmYResolution, 180);
  EXPECT_EQ(sys::FixedText(dm.dmFormName), u"A4");
  EXPECT_EQ(dm.dmNup, 1u);
  EXPECT_EQ(dm.dmICMIntent, 2u);
  EXPECT_EQ(dm.dmDitherType, 0xFFFFFFFFu);
  EXPECT_TRUE(info.pDevMode->driverExtra.empty());
  EXPECT_TRUE(spooler.FindPrinter(u"Quillon QX1"));
}

TEST_F(Lpt1Queue, RefusesEmptyNamesUnknownDriversAndExistingPrinters) {
  EXPECT_FALSE(AddPrinterOnLpt1(spooler, lastError, u"", u"P"));
  EXPECT_FALSE(AddPrinterOnLpt1(spooler, lastError, u"Quillon QX1", u""));
  EXPECT_TRUE(spooler.AddedPrinters().empty());

  EXPECT_FALSE(AddPrinterOnLpt1(spooler, lastError, u"No Such Driver", u"P"));
  EXPECT_EQ(lastError.Get(), winerr::UnknownPrinterDriver);
  ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, u"Quillon QX1", u"P"));
  EXPECT_FALSE(AddPrinterOnLpt1(spooler, lastError, u"Quillon QX1", u"p"));
  EXPECT_EQ(lastError.Get(), winerr::PrinterAlreadyExists);
}

// dmDeviceName holds 31 characters; a longer printer name is still the
// queue's name, only the device mode's copy is cut.
TEST_F(Lpt1Queue, ALongNameKeepsTheQueueNameAndCutsOnlyTheDeviceModeName) {
  ustring name = u"Quillon QX1 PCL6 on the second floor (room 204)";
  ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, u"Quillon QX1", name));
  auto added = spooler.AddedPrinters();
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].pPrinterName, name);
  EXPECT_EQ(sys::FixedText(added[0].pDevMode->dm.dmDeviceName), name.substr(0, 31));
  EXPECT_TRUE(spooler.FindPrinter(name));
}

}  // namespace
}  // namespace prn::spooler
