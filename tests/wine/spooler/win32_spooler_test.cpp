// The spooler layer against Wine's real spooler. Where Wine differs from
// Windows the test says so in its name; the logic itself is covered on the
// simulated spooler.

#include <algorithm>

#include "spooler/default_printer.h"
#include "spooler/lpt1_queue.h"
#include "spooler/ports.h"
#include "spooler/printer_jobs.h"
#include "spooler/printer_queries.h"
#include "spooler/printer_update.h"
#include "sys/spooler.h"
#include "sys/win32/winspool_api.h"
#include "wine_spooler_fixture.h"

namespace prn::spooler {
namespace {

using Spooler = testing::WineSpoolerTest;
using testing::kTestDriver;
using testing::kTestLocalPort;
using testing::kTestPrinter;

bool Listed(const std::vector<sys::PORT_INFO_2W>& ports, const ustring& name) {
  return std::any_of(ports.begin(), ports.end(), [&](const auto& p) { return p.pPortName == name; });
}

TEST_F(Spooler, LocalPortAddedTwiceIsRefusedWith183TheSecondTime) {
  ASSERT_TRUE(AddLocalPort(spooler, lastError, kTestLocalPort));
  EXPECT_EQ(lastError.Get(), 0u);
  EXPECT_TRUE(PortExists(spooler, kTestLocalPort));

  EXPECT_TRUE(AddLocalPort(spooler, lastError, kTestLocalPort));
  EXPECT_EQ(lastError.Get(), static_cast<uint32_t>(ERROR_ALREADY_EXISTS));
}

TEST_F(Spooler, EnumeratesPortsWithTheSizeQueryAndRefusesATooSmallBuffer) {
  auto ports = spooler.EnumeratePorts2();
  ASSERT_TRUE(ports.ok);
  for (const char16_t* port : {u"LPT1:", u"LPT2:", u"COM1:", u"FILE:"}) EXPECT_TRUE(Listed(ports.records, port)) << ToUtf8(port);
  EXPECT_TRUE(PortExists(spooler, u"LPT1:"));
  EXPECT_FALSE(PortExists(spooler, u"lpt1:"));

  auto small = spooler.EnumeratePorts2(16);
  EXPECT_FALSE(small.ok);
  EXPECT_EQ(lastError.Get(), static_cast<uint32_t>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_GT(small.bytesNeeded, 16u);
}

TEST_F(Spooler, TcpIpPortIsRefusedWhereWineHasNoStandardTcpIpMonitor) {
  EXPECT_FALSE(AddTcpIpPort(spooler, lastError, u"IP_10.0.0.9", u"10.0.0.9"));
  EXPECT_EQ(lastError.Get(), static_cast<uint32_t>(ERROR_UNKNOWN_PORT));
  EXPECT_FALSE(PortExists(spooler, u"IP_10.0.0.9"));
}

TEST_F(Spooler, InstallsADriverAndCreatesAQueueOnLpt1) {
  InstallTestDriver();
  EXPECT_TRUE(PrinterDriverExists(spooler, u"PRN WINE TEST DRIVER"));
  // The environment reaches EnumPrinterDriversW: the driver is one of this
  // program's own environment, and none exists for the other.
  const bool wide = sizeof(void*) == 8;
  EXPECT_TRUE(PrinterDriverExists(spooler, kTestDriver, wide ? u"Windows x64" : u"Windows NT x86"));
  EXPECT_FALSE(PrinterDriverExists(spooler, kTestDriver, wide ? u"Windows NT x86" : u"Windows x64"));

  ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, kTestDriver, kTestPrinter));
  EXPECT_TRUE(PrinterExists(spooler, u"prnwinetest qx1"));
  EXPECT_EQ(GetPrinterPort(spooler, lastError, kTestPrinter), u"LPT1:");
  EXPECT_EQ(GetPrinterDriverName(spooler, kTestPrinter), kTestDriver);

  sys::PRINTER_INFO_2W info;
  bool shared = true;
  ASSERT_TRUE(GetPrinterInfo(spooler, kTestPrinter, info, shared));
  EXPECT_FALSE(shared);
  EXPECT_EQ(info.pPrintProcessor, u"WinPrint");
  ASSERT_TRUE(info.pDevMode);
  EXPECT_EQ(sys::FixedText(info.pDevMode->dm.dmFormName), u"A4");
  EXPECT_EQ(info.pDevMode->dm.dmPaperSize, 9);

  auto printer = spooler.OpenPrinterHandle(kTestPrinter);
  ASSERT_TRUE(printer);
  sys::DRIVER_INFO_3W driver;
  ASSERT_TRUE(printer->GetDriverInfo3(driver));
  EXPECT_TRUE(driver.pDataFile.ends_with(u"\\prn-wine-test.gpd")) << ToUtf8(driver.pDataFile);
}

// Windows' ClosePrinter can leave a fresh error value behind (its call to the
// spooler service succeeds); Wine's does not, so this one is made to.
BOOL WINAPI ClosePrinterThatClearsTheError(HANDLE handle) {
  BOOL closed = ::ClosePrinter(handle);
  SetLastError(ERROR_SUCCESS);
  return closed;
}

TEST_F(Spooler, ClosingAPrinterHandleKeepsTheErrorOfTheLastCallOnIt) {
  InstallTestDriver();
  ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, kTestDriver, kTestPrinter));
  auto api = std::make_shared<win32::WinspoolApi>();
  api->ClosePrinter = ClosePrinterThatClearsTheError;
  win32::Win32Spooler closingSpooler(api);
  auto printer = closingSpooler.OpenPrinterHandle(kTestPrinter);
  ASSERT_TRUE(printer);
  SetLastError(ERROR_INVALID_LEVEL);  // as the last failed call on the handle left it
  printer.reset();
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
}

TEST_F(Spooler, UpdateSequenceMovesTheQueueAndKeepsItsDeviceMode) {
  InstallTestDriver();
  ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, kTestDriver, kTestPrinter));
  // Give the queue the driver's own device mode, with its private bytes.
  ASSERT_TRUE(UpdatePrinter(spooler, kTestPrinter, [](sys::PRINTER_INFO_2W& info, sys::Printer& handle) {
    auto mode = handle.ReadDocumentProperties(kTestPrinter);
    ASSERT_TRUE(mode);
    sys::CopyFixedText(mode->dm.dmFormName, u"A5");
    mode->dm.dmFields |= sys::spool::FieldFormName;
    info.pDevMode = mode;
  }));
  auto before = spooler.OpenPrinterHandle(kTestPrinter);
  sys::PRINTER_INFO_2W stored;
  ASSERT_TRUE(before->GetInfo2(stored));
  before.reset();

  ASSERT_TRUE(SetPrinterPort(spooler, kTestPrinter, u"LPT2:"));
  EXPECT_EQ(GetPrinterPort(spooler, lastError, kTestPrinter), u"LPT2:");

  sys::PRINTER_INFO_2W after;
  ASSERT_TRUE(spooler.OpenPrinterHandle(kTestPrinter)->GetInfo2(after));
  EXPECT_EQ(after.pDriverName, kTestDriver);
  EXPECT_EQ(after.pPrintProcessor, stored.pPrintProcessor);
  ASSERT_TRUE(after.pDevMode && stored.pDevMode);
  EXPECT_EQ(sys::FixedText(after.pDevMode->dm.dmFormName), u"A5");
  EXPECT_FALSE(stored.pDevMode->driverExtra.empty());
  EXPECT_EQ(after.pDevMode->driverExtra, stored.pDevMode->driverExtra);
}

TEST_F(Spooler, OnlineStateIsTheWorkOfflineAttribute) {
  InstallTestDriver();
  ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, kTestDriver, kTestPrinter));
  bool online = false;
  ASSERT_TRUE(IsPrinterOnline(spooler, kTestPrinter, online));
  EXPECT_TRUE(online);
  ASSERT_TRUE(SetPrinterOnline(spooler, kTestPrinter, false));
  ASSERT_TRUE(IsPrinterOnline(spooler, kTestPrinter, online));
  EXPECT_FALSE(online);
  ASSERT_TRUE(SetPrinterOnline(spooler, kTestPrinter, true));
  ASSERT_TRUE(IsPrinterOnline(spooler, kTestPrinter, online));
  EXPECT_TRUE(online);
}

TEST_F(Spooler, SetsAndReadsTheDefaultPrinter) {
  InstallTestDriver();
  ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, kTestDriver, kTestPrinter));
  ASSERT_TRUE(SetDefaultPrinterName(spooler, kTestPrinter));
  ustring name;
  ASSERT_TRUE(GetDefaultPrinterName(spooler, name));
  EXPECT_EQ(name, kTestPrinter);

  StringList printers;
  int index = GetPrinterList(spooler, &printers);
  ASSERT_GE(index, 0);
  EXPECT_EQ(printers[index], kTestPrinter);

  EXPECT_FALSE(SetDefaultPrinterName(spooler, u"PrnWineTest No Such Printer"));
  EXPECT_EQ(lastError.Get(), static_cast<uint32_t>(ERROR_INVALID_PRINTER_NAME));
}

TEST_F(Spooler, WinesJobListIsAStubThatCountsZero) {
  InstallTestDriver();
  ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, kTestDriver, kTestPrinter));
  StringList jobs{u"kept"};
  EXPECT_EQ(GetPrinterJobs(spooler, kTestPrinter, &jobs), 0);
  EXPECT_EQ(jobs, StringList{u"kept"});
  EXPECT_EQ(GetPrinterJobs(spooler, u"PrnWineTest No Such Printer"), 0);
}

TEST_F(Spooler, DriverDeletionWhereWineRefusesEveryDeleteFlag) {
  InstallTestDriver();
  EXPECT_FALSE(DeletePrinterDriverExW(spooler, u"", u"", kTestDriver, sys::spool::DeleteUnusedFiles, 0));
  EXPECT_EQ(lastError.Get(), static_cast<uint32_t>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(DeletePrinterDriverExW(spooler, u"", u"", kTestDriver, 0, 0));
  EXPECT_FALSE(PrinterDriverExists(spooler, kTestDriver));
}

}  // namespace
}  // namespace prn::spooler
