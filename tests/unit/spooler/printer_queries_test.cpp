#include "spooler/printer_queries.h"

#include "spooler_fixture.h"
#include "sys/win_errors.h"
#include "text/format.h"
#include "trace/trace.h"

namespace prn::spooler {
namespace {

class PrinterQueries : public testing::SpoolerTest {
 protected:
  void SetUp() override {
    spooler.PutDriver(u"Quillon QX1");
    spooler.PutDriver(u"Other Driver");
  }
};

TEST_F(PrinterQueries, APlacedPortComparesExactly) {
  spooler.PutPort(u"USB001");
  EXPECT_TRUE(PortExists(spooler, u"USB001"));
  EXPECT_FALSE(PortExists(spooler, u"usb001"));
}

// A full machine's port list does not fit the 2000 bytes a single fixed
// call would offer; the port is still found.
TEST_F(PrinterQueries, AMachineWith150PortsStillFindsItsPorts) {
  for (int i = 1; i <= 142; ++i) spooler.PutPort(Format(u"USB%.3d", {i}));
  auto fixed = spooler.EnumeratePorts2(2000);
  ASSERT_FALSE(fixed.ok);
  EXPECT_EQ(lastError.Get(), winerr::InsufficientBuffer);
  EXPECT_GT(fixed.bytesNeeded, 2000u);

  EXPECT_TRUE(PortExists(spooler, u"USB142"));
  EXPECT_TRUE(PortExists(spooler, u"LPT1:"));
  EXPECT_FALSE(PortExists(spooler, u"USB143"));
}

TEST_F(PrinterQueries, PrinterListCutsAtOnAndFindsTheDefault) {
  spooler.PutPrinter(u"Office", u"Other Driver", u"LPT1:");
  spooler.PutPrinter(u"Quillon QX1 on Desk", u"Quillon QX1", u"LPT2:");
  spooler.PutConnection(u"\\\\srv", u"Shared", u"Other Driver");
  spooler.SetDefault(u"QUILLON QX1");

  StringList list{u"stale"};
  EXPECT_EQ(GetPrinterList(spooler, &list), 1);
  EXPECT_EQ(list, (StringList{u"Office", u"Quillon QX1", u"\\\\srv\\Shared"}));

  spooler.SetDefault(std::nullopt);
  EXPECT_EQ(GetPrinterList(spooler, &list), -1);
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(GetPrinterList(spooler, nullptr), -1);
}

TEST_F(PrinterQueries, NoPrintersGivesMinusOneAndLeavesTheListAlone) {
  StringList list{u"kept"};
  EXPECT_EQ(GetPrinterList(spooler, &list), -1);
  EXPECT_EQ(list, StringList{u"kept"});
  EXPECT_FALSE(PrinterExists(spooler, u"kept"));
  sys::PRINTER_INFO_2W info;
  bool shared = true;
  EXPECT_TRUE(GetPrinterInfo(spooler, u"kept", info, shared));
  EXPECT_FALSE(shared);
}

TEST_F(PrinterQueries, DriverIsSharedWhenAnotherPrinterUsesIt) {
  spooler.PutPrinter(u"A", u"Quillon QX1", u"LPT1:");
  spooler.PutPrinter(u"B", u"Quillon QX1", u"LPT2:");
  spooler.PutPrinter(u"C", u"Other Driver", u"LPT3:");
  sys::PRINTER_INFO_2W info;
  bool shared = false;
  ASSERT_TRUE(GetPrinterInfo(spooler, u"A", info, shared));
  EXPECT_TRUE(shared);
  EXPECT_EQ(info.pDriverName, u"Quillon QX1");
  ASSERT_TRUE(GetPrinterInfo(spooler, u"C", info, shared));
  EXPECT_FALSE(shared);

  spooler.Fail(sim::SimSpooler::Call::EnumPrinters, winerr::NotEnoughMemory);
  EXPECT_FALSE(GetPrinterInfo(spooler, u"A", info, shared));
}

TEST_F(PrinterQueries, PortAndDriverOfAPrinter) {
  spooler.PutPrinter(u"Pool", u"Quillon QX1", u"LPT1:,LPT2:");
  trace::Capture capture;
  lastError.Set(5);
  EXPECT_EQ(GetPrinterPort(spooler, lastError, u"Pool"), u"LPT1:,LPT2:");
  EXPECT_EQ(lastError.Get(), 0u);
  EXPECT_TRUE(capture.Contains(u"你要檢測的打印機【Pool】端口為：LPT1:,LPT2:"));
  EXPECT_EQ(GetPrinterDriverName(spooler, u"Pool"), u"Quillon QX1");

  EXPECT_EQ(GetPrinterPort(spooler, lastError, u"Missing"), u"");
  EXPECT_EQ(lastError.Get(), winerr::InvalidPrinterName);
  EXPECT_EQ(GetPrinterDriverName(spooler, u"Missing"), u"");
  EXPECT_FALSE(capture.Contains(u"【Missing】"));

  EXPECT_EQ(GetPrinterPort(spooler, lastError, u""), u"");
  EXPECT_TRUE(capture.Contains(u"在檢查打印機【】的時候出錯了：0x00000000"));
}

TEST_F(PrinterQueries, OnlineStateOfAPrinterThatCannotBeOpenedKeepsTheCallersValue) {
  bool online = true;
  EXPECT_FALSE(IsPrinterOnline(spooler, u"Missing", online));
  EXPECT_TRUE(online);
  online = false;
  EXPECT_FALSE(IsPrinterOnline(spooler, u"Missing", online));
  EXPECT_FALSE(online);
  EXPECT_FALSE(SetPrinterOnline(spooler, u"Missing", true));
}

TEST_F(PrinterQueries, FailedDriverListIsTraced) {
  trace::Capture capture;
  spooler.Fail(sim::SimSpooler::Call::EnumDrivers, winerr::NotEnoughMemory);
  EXPECT_FALSE(PrinterDriverExists(spooler, u"Quillon QX1"));
  EXPECT_TRUE(capture.Contains(u"列舉系統打印機驅動程序失敗！"));
}

}  // namespace
}  // namespace prn::spooler
