// The spooler under Wine where it differs from Windows, and the Win32
// wrapper's own care; what both machines promise is in tests/contract.

#include <windows.h>
#include <winspool.h>

#include "spooler/ports.h"
#include "spooler/printer_queries.h"
#include "spooler/printer_update.h"
#include "sys/spooler.h"
#include "sys/win32/winspool_api.h"
#include "wine_spooler_fixture.h"

namespace prn::spooler {
namespace {

using testing::kTestDriver;
using testing::kTestPrinter;

class Spooler : public testing::WineSpoolerTest {
 protected:
  void AddTestQueue() {
    ASSERT_NO_FATAL_FAILURE(InstallTestDriver());
    ASSERT_TRUE(AddPrinterOnLpt1(spooler, lastError, kTestDriver, kTestPrinter));
  }
};

TEST_F(Spooler, TcpIpPortIsRefusedWhereWineHasNoStandardTcpIpMonitor) {
  EXPECT_FALSE(AddTcpIpPort(spooler, lastError, u"IP_10.0.0.9", u"10.0.0.9"));
  EXPECT_EQ(lastError.Get(), static_cast<uint32_t>(ERROR_UNKNOWN_PORT));
  EXPECT_FALSE(PortExists(spooler, u"IP_10.0.0.9"));
}

// Windows' ClosePrinter can leave a fresh error value behind (its call to the
// spooler service succeeds); Wine's does not, so this one is made to.
BOOL WINAPI ClosePrinterThatClearsTheError(HANDLE handle) {
  BOOL closed = ::ClosePrinter(handle);
  SetLastError(ERROR_SUCCESS);
  return closed;
}

TEST_F(Spooler, ClosingAPrinterHandleKeepsTheErrorOfTheLastCallOnIt) {
  ASSERT_NO_FATAL_FAILURE(AddTestQueue());
  auto api = std::make_shared<win32::WinspoolApi>();
  api->ClosePrinter = ClosePrinterThatClearsTheError;
  win32::Win32Spooler closingSpooler(api);
  auto printer = closingSpooler.OpenPrinterHandle(kTestPrinter);
  ASSERT_TRUE(printer);
  SetLastError(ERROR_INVALID_LEVEL);  // as the last failed call on the handle left it
  printer.reset();
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
}

TEST_F(Spooler, WinesJobListIsAStubThatCountsZero) {
  ASSERT_NO_FATAL_FAILURE(AddTestQueue());
  StringList jobs{u"kept"};
  EXPECT_EQ(GetPrinterJobs(spooler, kTestPrinter, &jobs), 0);
  EXPECT_EQ(jobs, StringList{u"kept"});
  EXPECT_EQ(GetPrinterJobs(spooler, u"PrnWineTest No Such Printer"), 0);
}

TEST_F(Spooler, DriverDeletionWhereWineRefusesEveryDeleteFlag) {
  ASSERT_NO_FATAL_FAILURE(InstallTestDriver());
  EXPECT_FALSE(DeletePrinterDriverExW(spooler, u"", u"", kTestDriver, sys::spool::DeleteUnusedFiles, 0));
  EXPECT_EQ(lastError.Get(), static_cast<uint32_t>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(PrinterDriverExists(spooler, kTestDriver));
}

}  // namespace
}  // namespace prn::spooler
