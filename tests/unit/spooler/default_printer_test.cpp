#include "spooler/printer_update.h"

#include "spooler_fixture.h"
#include "sys/win_errors.h"

namespace prn::spooler {
namespace {

class DefaultPrinter : public testing::SpoolerTest {
 protected:
  void SetUp() override { spooler.PutDriver(u"Quillon QX1"); }
};

TEST_F(DefaultPrinter, NoDefaultIsFileNotFound) {
  ustring name = u"stale";
  EXPECT_FALSE(GetDefaultPrinterName(spooler, name));
  EXPECT_EQ(name, u"");
  EXPECT_EQ(lastError.Get(), winerr::FileNotFound);
}

// The wide entry points keep a name the ANSI code page cannot hold.
TEST_F(DefaultPrinter, SetsAndReadsANameOutsideTheCodePage) {
  spooler.PutPrinter(u"打印机 QX1", u"Quillon QX1", u"LPT1:");
  ASSERT_EQ(machine.codePage.Id(), 1252u);
  ASSERT_TRUE(SetDefaultPrinterName(spooler, u"打印机 QX1"));
  ustring name;
  ASSERT_TRUE(GetDefaultPrinterName(spooler, name));
  EXPECT_EQ(name, u"打印机 QX1");

  EXPECT_FALSE(SetDefaultPrinterName(spooler, u"Missing"));
  EXPECT_EQ(lastError.Get(), winerr::InvalidPrinterName);
}

TEST_F(DefaultPrinter, DriverDeletionPassesItsArgumentsAndReportsTheSpoolersAnswer) {
  spooler.PutPrinter(u"P", u"Quillon QX1", u"LPT1:");
  EXPECT_FALSE(DeletePrinterDriverExW(spooler, u"", u"", u"Quillon QX1", sys::spool::DeleteUnusedFiles, 0));
  EXPECT_EQ(lastError.Get(), winerr::PrinterDriverInUse);
  EXPECT_FALSE(DeletePrinterDriverExW(spooler, u"", u"", u"Nope", sys::spool::DeleteUnusedFiles, 0));
  EXPECT_EQ(lastError.Get(), winerr::UnknownPrinterDriver);

  spooler.PutDriver(u"Unused");
  EXPECT_TRUE(DeletePrinterDriverExW(spooler, u"", u"", u"Unused", sys::spool::DeleteUnusedFiles, 0));
  EXPECT_FALSE(spooler.FindDriver(u"Unused"));
}

}  // namespace
}  // namespace prn::spooler
