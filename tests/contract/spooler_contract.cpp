// What the spooler promises on both machines, through the installer's own
// spooler routines. What only Wine does (and Windows does not) is tested in
// tests/wine/spooler; what only the simulation can arrange, in tests/unit/spooler.

#include <algorithm>

#include "contract/machines.h"
#include "contract/scene.h"
#include "spooler/ports.h"
#include "spooler/printer_queries.h"
#include "spooler/printer_update.h"
#include "sys/spooler.h"
#include "sys/win_errors.h"

namespace prn::contract {
namespace {

template <typename Machine>
class SpoolerContract : public ::testing::Test {
 protected:
  void AddTestQueue() {
    ASSERT_NO_FATAL_FAILURE(InstallTestDriver(machine));
    ASSERT_TRUE(spooler::AddPrinterOnLpt1(spooler, lastError, kTestDriver, kTestPrinter));
  }
  sys::PRINTER_INFO_2W Stored(const ustring& name) {
    sys::PRINTER_INFO_2W info;
    auto printer = spooler.OpenPrinterHandle(name);
    EXPECT_TRUE(printer && printer->GetInfo2(info));
    return info;
  }

  Machine machine;
  sys::Spooler& spooler = machine.Spooler();
  sys::LastError& lastError = machine.LastError();
};

TYPED_TEST_SUITE(SpoolerContract, Machines, MachineNames);

bool Listed(const std::vector<sys::PORT_INFO_2W>& ports, const ustring& name) {
  return std::any_of(ports.begin(), ports.end(), [&](const auto& p) { return p.pPortName == name; });
}

// The Local Port monitor's "AddPort" answers an existing port with status
// 183, which the routine reports as done with the refusal in the last error.
TYPED_TEST(SpoolerContract, ALocalPortAddedTwiceIsAcceptedWith183TheSecondTime) {
  auto& spooler = this->spooler;
  auto& lastError = this->lastError;
  ASSERT_TRUE(spooler::AddLocalPort(spooler, lastError, kTestLocalPort));
  EXPECT_EQ(lastError.Get(), 0u);
  EXPECT_TRUE(spooler::PortExists(spooler, kTestLocalPort));

  EXPECT_TRUE(spooler::AddLocalPort(spooler, lastError, kTestLocalPort));
  EXPECT_EQ(lastError.Get(), winerr::AlreadyExists);
}

TYPED_TEST(SpoolerContract, ListsTheStandardPortsByExactNameAndRefusesATooSmallBuffer) {
  auto& spooler = this->spooler;
  auto ports = spooler.EnumeratePorts2();
  ASSERT_TRUE(ports.ok);
  for (const char16_t* port : {u"LPT1:", u"LPT2:", u"COM1:", u"FILE:"}) {
    EXPECT_TRUE(Listed(ports.records, port)) << ToUtf8(port);
  }
  EXPECT_TRUE(spooler::PortExists(spooler, u"LPT1:"));
  EXPECT_FALSE(spooler::PortExists(spooler, u"lpt1:"));

  auto small = spooler.EnumeratePorts2(16);
  EXPECT_FALSE(small.ok);
  EXPECT_EQ(this->lastError.Get(), winerr::InsufficientBuffer);
  EXPECT_GT(small.bytesNeeded, 16u);
}

// Printers and drivers are found without regard to case; the information
// routine matches the listed name exactly and leaves the record empty otherwise.
TYPED_TEST(SpoolerContract, InstallsADriverAndCreatesAQueueOnLpt1) {
  auto& spooler = this->spooler;
  auto& lastError = this->lastError;
  ASSERT_NO_FATAL_FAILURE(InstallTestDriver(this->machine));
  EXPECT_TRUE(spooler::PrinterDriverExists(spooler, u"PRN WINE TEST DRIVER"));
  EXPECT_FALSE(spooler::PrinterDriverExists(spooler, u"Prn Wine Test Driver 2"));
  // The environment reaches EnumPrinterDriversW: the driver is one of the
  // caller's own environment, and none exists for the other.
  EXPECT_TRUE(spooler::PrinterDriverExists(spooler, kTestDriver, this->machine.OwnEnvironment()));
  EXPECT_FALSE(spooler::PrinterDriverExists(spooler, kTestDriver, this->machine.OtherEnvironment()));

  ASSERT_TRUE(spooler::AddPrinterOnLpt1(spooler, lastError, kTestDriver, kTestPrinter));
  EXPECT_TRUE(spooler::PrinterExists(spooler, u"prnwinetest qx1"));
  EXPECT_EQ(spooler::GetPrinterPort(spooler, lastError, kTestPrinter), u"LPT1:");
  EXPECT_EQ(spooler::GetPrinterDriverName(spooler, kTestPrinter), kTestDriver);

  sys::PRINTER_INFO_2W info;
  bool shared = true;
  ASSERT_TRUE(spooler::GetPrinterInfo(spooler, kTestPrinter, info, shared));
  EXPECT_FALSE(shared);
  EXPECT_EQ(info.pPrintProcessor, u"WinPrint");
  ASSERT_TRUE(info.pDevMode);
  EXPECT_EQ(sys::FixedText(info.pDevMode->dm.dmFormName), u"A4");
  EXPECT_EQ(info.pDevMode->dm.dmPaperSize, 9);
  sys::PRINTER_INFO_2W other;
  shared = true;
  ASSERT_TRUE(spooler::GetPrinterInfo(spooler, u"prnwinetest qx1", other, shared));
  EXPECT_FALSE(shared);
  EXPECT_TRUE(other.pPrinterName.empty());

  auto printer = spooler.OpenPrinterHandle(kTestPrinter);
  ASSERT_TRUE(printer);
  sys::DRIVER_INFO_3W driver;
  ASSERT_TRUE(printer->GetDriverInfo3(driver));
  EXPECT_TRUE(driver.pDataFile.ends_with(ustring(u"\\") + kTestDataFile)) << ToUtf8(driver.pDataFile);
}

// The driver's document properties come with its private bytes; moving the
// queue keeps them, and the change is made through the handle it is given.
TYPED_TEST(SpoolerContract, MovingTheQueueKeepsItsDeviceMode) {
  auto& spooler = this->spooler;
  ASSERT_NO_FATAL_FAILURE(this->AddTestQueue());
  bool called = false;
  ASSERT_TRUE(spooler::UpdatePrinter(spooler, kTestPrinter, [&](sys::PRINTER_INFO_2W& info, sys::Printer& handle) {
    called = true;
    auto mode = handle.ReadDocumentProperties(kTestPrinter);
    ASSERT_TRUE(mode);
    sys::CopyFixedText(mode->dm.dmFormName, u"A5");
    mode->dm.dmFields |= sys::spool::FieldFormName;
    info.pDevMode = mode;
  }));
  EXPECT_TRUE(called);
  const sys::PRINTER_INFO_2W stored = this->Stored(kTestPrinter);

  ASSERT_TRUE(spooler::SetPrinterPort(spooler, kTestPrinter, u"LPT2:"));
  EXPECT_EQ(spooler::GetPrinterPort(spooler, this->lastError, kTestPrinter), u"LPT2:");

  const sys::PRINTER_INFO_2W after = this->Stored(kTestPrinter);
  EXPECT_EQ(after.pDriverName, kTestDriver);
  EXPECT_EQ(after.pPrintProcessor, stored.pPrintProcessor);
  ASSERT_TRUE(after.pDevMode && stored.pDevMode);
  EXPECT_EQ(sys::FixedText(after.pDevMode->dm.dmFormName), u"A5");
  EXPECT_FALSE(stored.pDevMode->driverExtra.empty());
  EXPECT_EQ(after.pDevMode->driverExtra, stored.pDevMode->driverExtra);
}

TYPED_TEST(SpoolerContract, OnlineStateIsTheWorkOfflineAttribute) {
  auto& spooler = this->spooler;
  ASSERT_NO_FATAL_FAILURE(this->AddTestQueue());
  bool online = false;
  ASSERT_TRUE(spooler::IsPrinterOnline(spooler, kTestPrinter, online));
  EXPECT_TRUE(online);

  ASSERT_TRUE(spooler::SetPrinterOnline(spooler, kTestPrinter, false));
  const sys::PRINTER_INFO_2W stored = this->Stored(kTestPrinter);
  EXPECT_TRUE(stored.Attributes & sys::spool::AttributeWorkOffline);
  EXPECT_FALSE(stored.Status & sys::spool::StatusNotAvailable) << "a level-2 record does not set the status";
  ASSERT_TRUE(spooler::IsPrinterOnline(spooler, kTestPrinter, online));
  EXPECT_FALSE(online);

  ASSERT_TRUE(spooler::SetPrinterOnline(spooler, kTestPrinter, true));
  ASSERT_TRUE(spooler::IsPrinterOnline(spooler, kTestPrinter, online));
  EXPECT_TRUE(online);
}

TYPED_TEST(SpoolerContract, SetsAndReadsTheDefaultPrinter) {
  auto& spooler = this->spooler;
  ASSERT_NO_FATAL_FAILURE(this->AddTestQueue());
  ASSERT_TRUE(spooler::SetDefaultPrinterName(spooler, kTestPrinter));
  ustring name;
  ASSERT_TRUE(spooler::GetDefaultPrinterName(spooler, name));
  EXPECT_EQ(name, kTestPrinter);

  StringList printers;
  int index = spooler::GetPrinterList(spooler, &printers);
  ASSERT_GE(index, 0);
  EXPECT_EQ(printers[index], kTestPrinter);

  EXPECT_FALSE(spooler::SetDefaultPrinterName(spooler, u"PrnContract No Such Printer"));
  EXPECT_EQ(this->lastError.Get(), winerr::InvalidPrinterName);
}

TYPED_TEST(SpoolerContract, RemovesADriverNoQueueUses) {
  ASSERT_NO_FATAL_FAILURE(InstallTestDriver(this->machine));
  EXPECT_TRUE(spooler::DeletePrinterDriverExW(this->spooler, u"", u"", kTestDriver, 0, 0));
  EXPECT_FALSE(spooler::PrinterDriverExists(this->spooler, kTestDriver));
}

}  // namespace
}  // namespace prn::contract
