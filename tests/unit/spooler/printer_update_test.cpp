#include "spooler/printer_update.h"

#include "spooler/ports.h"
#include "spooler_fixture.h"
#include "sys/spooler.h"
#include "sys/win_errors.h"

namespace prn::spooler {
namespace {

class PrinterUpdate : public testing::SpoolerTest {
 protected:
  void SetUp() override {
    spooler.PutDriver(u"Quillon QX1");
    spooler.PutPrintProcessor(u"QxProc");
    sys::PRINTER_INFO_2W info;
    info.pPrinterName = u"Q";
    info.pDriverName = u"Quillon QX1";
    info.pPortName = u"LPT1:";
    info.pShareName = u"qshare";
    info.pComment = u"second floor";
    info.pPrintProcessor = u"QxProc";
    info.pDatatype = u"RAW";
    info.Attributes = sys::spool::AttributeLocal | sys::spool::AttributeShared;
    sys::DeviceMode mode;
    sys::CopyFixedText(mode.dm.dmDeviceName, u"Q");
    sys::CopyFixedText(mode.dm.dmFormName, u"Letter");
    mode.dm.dmSize = sizeof(sys::DEVMODEW);
    mode.dm.dmDriverExtra = 4;
    mode.driverExtra = {1, 2, 3, 4};
    info.pDevMode = mode;
    spooler.PutPrinter(info);
  }
};

TEST_F(PrinterUpdate, MovingToAnotherPortKeepsEveryOtherSetting) {
  auto before = *spooler.FindPrinter(u"Q");
  ASSERT_TRUE(SetPrinterPort(spooler, u"Q", u"LPT2:"));
  auto after = *spooler.FindPrinter(u"Q");
  EXPECT_EQ(after.pPortName, u"LPT2:");
  EXPECT_EQ(after.pShareName, before.pShareName);
  EXPECT_EQ(after.pComment, before.pComment);
  EXPECT_EQ(after.pPrintProcessor, u"QxProc");
  EXPECT_EQ(after.Attributes, before.Attributes);
  ASSERT_TRUE(after.pDevMode);
  EXPECT_EQ(after.pDevMode->driverExtra, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(sys::FixedText(after.pDevMode->dm.dmFormName), u"Letter");
}

// Only the public 220 bytes are handed to the second open; the copy must not
// claim driver bytes behind it that it does not carry.
TEST_F(PrinterUpdate, ReopensWithFullAccessRawAndThePublicDeviceModeOnly) {
  ASSERT_TRUE(SetPrinterPort(spooler, u"Q", u"LPT2:"));
  auto opens = spooler.Opens();
  ASSERT_EQ(opens.size(), 2u);
  EXPECT_FALSE(opens[0].defaults);
  ASSERT_TRUE(opens[1].defaults);
  const auto& defaults = *opens[1].defaults;
  EXPECT_EQ(defaults.DesiredAccess, sys::spool::PrinterAllAccess);
  EXPECT_EQ(defaults.pDatatype, ustring(u"RAW"));
  ASSERT_TRUE(defaults.pDevMode);
  EXPECT_EQ(defaults.pDevMode->dmDriverExtra, 0);
  EXPECT_EQ(defaults.pDevMode->dmSize, 220);
  EXPECT_EQ(sys::FixedText(defaults.pDevMode->dmFormName), u"Letter");
}

TEST_F(PrinterUpdate, APrinterWithoutDeviceModeIsReopenedWithoutOne) {
  sys::PRINTER_INFO_2W plain;
  plain.pPrinterName = u"NoMode";
  plain.pDriverName = u"Quillon QX1";
  plain.pPortName = u"LPT1:";
  plain.pPrintProcessor = u"WinPrint";
  spooler.PutPrinter(plain);
  ASSERT_TRUE(SetPrinterPort(spooler, u"NoMode", u"LPT3:"));
  auto opens = spooler.Opens();
  ASSERT_TRUE(opens.back().defaults);
  EXPECT_FALSE(opens.back().defaults->pDevMode);
  EXPECT_EQ(spooler.FindPrinter(u"NoMode")->pPortName, u"LPT3:");
}

TEST_F(PrinterUpdate, EmptyPortTouchesNothing) {
  EXPECT_FALSE(SetPrinterPort(spooler, u"Q", u""));
  EXPECT_TRUE(spooler.Opens().empty());
  EXPECT_EQ(spooler.SetPrinterCount(), 0u);
}

TEST_F(PrinterUpdate, FailuresAreAnsweredByTheResult) {
  EXPECT_FALSE(SetPrinterPort(spooler, u"Missing", u"LPT2:"));
  EXPECT_EQ(lastError.Get(), winerr::InvalidPrinterName);

  EXPECT_FALSE(SetPrinterPort(spooler, u"Q", u"NOPORT:"));
  EXPECT_EQ(lastError.Get(), winerr::UnknownPort);
  EXPECT_EQ(spooler.FindPrinter(u"Q")->pPortName, u"LPT1:");

  spooler.Fail(sim::SimSpooler::Call::SetPrinter, winerr::AccessDenied);
  EXPECT_FALSE(SetPrinterPort(spooler, u"Q", u"LPT2:"));
}

// A handle opened without defaults may read but not change the printer,
// which is why the sequence opens twice.
TEST_F(PrinterUpdate, AHandleWithoutAdministerAccessCannotChangeThePrinter) {
  auto reader = spooler.OpenPrinterHandle(u"Q");
  sys::PRINTER_INFO_2W info;
  ASSERT_TRUE(reader->GetInfo2(info));
  info.pPortName = u"LPT2:";
  EXPECT_FALSE(reader->SetInfo2(info));
  EXPECT_EQ(lastError.Get(), winerr::AccessDenied);
}

// The queue's status is the spooler's: a level-2 record brings its own copy
// back, and neither clears nor sets it.
TEST_F(PrinterUpdate, ALevel2ChangeLeavesTheStatusToTheSpooler) {
  sys::PRINTER_DEFAULTSW admin;
  admin.DesiredAccess = sys::spool::PrinterAllAccess;
  auto handle = spooler.OpenPrinterHandle(u"Q", &admin);
  ASSERT_TRUE(handle->SetQueueStatus(sys::spool::StatusOffline));
  sys::PRINTER_INFO_2W info;
  ASSERT_TRUE(handle->GetInfo2(info));
  info.Status = 0;
  ASSERT_TRUE(handle->SetInfo2(info));
  EXPECT_EQ(spooler.FindPrinter(u"Q")->Status, sys::spool::StatusOffline);
  ASSERT_TRUE(handle->SetQueueStatus(0));
  info.Status = sys::spool::StatusOffline;
  ASSERT_TRUE(handle->SetInfo2(info));
  EXPECT_EQ(spooler.FindPrinter(u"Q")->Status, 0u);
}

}  // namespace
}  // namespace prn::spooler
