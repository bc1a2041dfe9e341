#include "removal/delete_printer_and_driver.h"

#include <gtest/gtest.h>

#include "removal_fixture.h"
#include "sim/spooler.h"
#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn::removal {
namespace {

using namespace prn::testing;
using Call = sim::SimSpooler::Call;

constexpr char16_t kDeletePrinterRun[] =
    u"\"C:\\Windows\\system32\\rundll32.exe\" printui.dll,PrintUIEntry /dl /n \"Quillon QX1\" /h \"intel\" /q";
constexpr char16_t kDeleteDriverRun[] =
    u"\"C:\\Windows\\system32\\rundll32.exe\" printui.dll,PrintUIEntry /dd /m \"Quillon QX1\" /h \"intel\" /q";

class DeletePrinterTest : public RemovalTest {
 protected:
  uint8_t Delete(const ustring& printer, const ustring& key = kMaker) {
    return DeletePrinterAndDriver(context, key, printer, deleteDriver);
  }
  // The printer UI's command runs but leaves the spooler as it was.
  void PrintUiDoesNothing(const ustring& commandLine) { machine.processes.Script(commandLine, {}); }

  bool deleteDriver = true;
  trace::Capture trace;
};

TEST_F(DeletePrinterTest, CommandLinesOfThePrinterUi) {
  EXPECT_EQ(PrintUiDeletePrinterCommand(u"rundll32", u"Quillon QX1", false),
            u"rundll32 printui.dll,PrintUIEntry /dl /n \"Quillon QX1\" /h \"intel\" /q");
  EXPECT_EQ(PrintUiDeleteDriverCommand(u"rundll32", u"Quillon QX1", false),
            u"rundll32 printui.dll,PrintUIEntry /dd /m \"Quillon QX1\" /h \"intel\" /q");
  EXPECT_EQ(PrintUiDeleteDriverCommand(u"rundll32", u"Quillon QX1", true),
            u"rundll32 printui.dll,PrintUIEntry /dd /m \"Quillon QX1\" /h \"x64\" /q");
}

TEST_F(DeletePrinterTest, APrinterWithAJobIsLeftAsItIs) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  PutUninstallEntry(kModel);
  sys::JOB_INFO_1W job;
  job.pDocument = u"invoice";
  machine.spooler.PutJob(u"Quillon QX1", job);
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::PrinterHasJobs);
  EXPECT_TRUE(deleteDriver);
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon QX1"));
  EXPECT_EQ(machine.spooler.FindPrinter(u"Quillon QX1")->Status, 0u);
  EXPECT_TRUE(machine.spooler.FindDriver(kModel));
  EXPECT_TRUE(machine.processes.Started().empty());
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(kModel)));
}

TEST_F(DeletePrinterTest, ADriverSharedWithAnotherPrinterIsKept) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1", u"Quillon QX1 (Copy 1)"});
  PutUninstallEntry(kModel);
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::Deleted);
  EXPECT_TRUE(deleteDriver);
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Quillon QX1"));
  EXPECT_TRUE(machine.spooler.FindDriver(kModel));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(kModel)));
  ASSERT_EQ(machine.processes.Started().size(), 1u);
  EXPECT_EQ(machine.processes.Started()[0].commandLine, kDeletePrinterRun);
  EXPECT_TRUE(trace.Contains(u"成功刪除打印機。Quillon QX1"));
}

TEST_F(DeletePrinterTest, TheLastPrinterTakesItsDriverAndItsUninstallEntry) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  PutUninstallEntry(kModel, 0);
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::Deleted);
  EXPECT_FALSE(machine.spooler.FindDriver(kModel));
  EXPECT_FALSE(machine.registry.KeyExists(MakerKey()));
  EXPECT_TRUE(trace.Contains(u"成功刪除驅動程序。Quillon QX1"));
  EXPECT_EQ(machine.system.SleptMilliseconds(), 120u);  // the pause before the driver's deletion
}

TEST_F(DeletePrinterTest, WhenThePrinterUiKeepsTheDriverTheSpoolerDeletesItOnItsSecondAttempt) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  PutUninstallEntry(kModel, 0);
  // The printer UI's deletion and the spooler's first attempt fail.
  machine.spooler.FailTimes(Call::DeleteDriver, winerr::PrinterDriverInUse, 2);
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::Deleted);
  EXPECT_TRUE(deleteDriver);
  EXPECT_FALSE(machine.spooler.FindDriver(kModel));
  EXPECT_FALSE(machine.registry.KeyExists(MakerKey()));
  EXPECT_TRUE(trace.Contains(u"調用系統UI刪除失敗，正準備使用其他方法重試！"));
  EXPECT_TRUE(trace.Contains(u"DeletePrinterDriverEx Failt <1>, LastError = 0x00000bb9"));
  EXPECT_TRUE(trace.Contains(u"準備刪除註冊表(registry)中的信息！ ............"));
  EXPECT_EQ(machine.system.SleptMilliseconds(), 120u + 1100u);
}

TEST_F(DeletePrinterTest, ADriverThatCannotBeDeletedGivesFourAndKeepsItsEntry) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  PutUninstallEntry(kModel);
  machine.spooler.Fail(Call::DeleteDriver, winerr::PrinterDriverInUse);
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::DriverNotDeleted);
  EXPECT_FALSE(deleteDriver);
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Quillon QX1"));
  EXPECT_TRUE(machine.spooler.FindDriver(kModel));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(kModel)));
  EXPECT_TRUE(trace.Contains(u"DeletePrinterDriverEx Failt <2> After Sleep(1000), LastError = 0x00000bb9"));
  EXPECT_TRUE(trace.Contains(u"刪除驅動程序（Quillon QX1）出錯！"));
}

// On 64-bit Windows the printers use "Windows x64" drivers; the 32-bit
// installer's own environment holds none of them, so asking or deleting
// there would call any driver "deleted" and drop its uninstall entry.
class DeletePrinterOn64BitWindows : public DeletePrinterTest {
 protected:
  void SetUp() override {
    machine.system.wow64 = true;
    machine.registry.SetRedirected32(true);
    context = RemovalContext(machine.Platform());
    PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
    PutUninstallEntry(kModel, 0, kUninstallRoot32);
  }
};

TEST_F(DeletePrinterOn64BitWindows, TheX64DriverGoesWithItsUninstallEntry) {
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::Deleted);
  EXPECT_FALSE(machine.spooler.FindDriver(kModel, sim::kEnvironmentX64));
  EXPECT_FALSE(machine.registry.KeyExists(MakerKey(kUninstallRoot32)));
  ASSERT_EQ(machine.processes.Started().size(), 2u);
  EXPECT_NE(machine.processes.Started()[1].commandLine.find(u"/h \"x64\""), ustring::npos);
}

TEST_F(DeletePrinterOn64BitWindows, AnX64DriverThatStaysGivesFourAndKeepsItsEntry) {
  machine.spooler.Fail(Call::DeleteDriver, winerr::PrinterDriverInUse);
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::DriverNotDeleted);
  EXPECT_TRUE(machine.spooler.FindDriver(kModel, sim::kEnvironmentX64));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(kModel, kUninstallRoot32)));
}

// Offline while the printer UI tries; a printer that stays is given back
// the status it had, not left taking no jobs.
TEST_F(DeletePrinterTest, APrinterTheUiCannotDeleteGivesThreeAndIsOnlineAgain) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  std::vector<uint32_t> statuses;  // the printer UI's command does nothing but look
  machine.processes.Script(kDeletePrinterRun, {0, 0, {"", 0, 0, false, [&] {
                             statuses.push_back(machine.spooler.FindPrinter(u"Quillon QX1")->Status);
                           }}});
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::PrinterNotDeleted);
  EXPECT_EQ(statuses, std::vector<uint32_t>{sys::spool::StatusOffline});  // while the UI ran
  EXPECT_EQ(machine.spooler.FindPrinter(u"Quillon QX1")->Status, 0u);
  EXPECT_TRUE(machine.spooler.FindDriver(kModel));
  EXPECT_TRUE(trace.Contains(u"刪除打印機失敗：Quillon QX1"));
}

TEST_F(DeletePrinterTest, FailingToSetThePrinterOfflineDoesNotStopTheDeletion) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1", u"Quillon QX1 (Copy 1)"});
  machine.spooler.Fail(Call::SetPrinter, winerr::InvalidLevel);
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::Deleted);
  EXPECT_TRUE(trace.Contains(u"不能將打印機設置為脫機：Quillon QX1"));
}

TEST_F(DeletePrinterTest, WithoutUninstallKeyNameNoRegistryCleanup) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  PutUninstallEntry(kModel);
  EXPECT_EQ(Delete(u"Quillon QX1", u""), deletion::Deleted);
  EXPECT_FALSE(machine.spooler.FindDriver(kModel));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(kModel)));
}

TEST_F(DeletePrinterTest, DeletingTheDefaultMakesTheFirstRemainingPrinterTheDefault) {
  PutDriverWithPrinters("1.0.1", {u"Alpha", u"Quillon QX1", u"Zeta"});
  machine.spooler.SetDefault(u"Quillon QX1");
  deleteDriver = false;
  EXPECT_EQ(Delete(u"Quillon QX1"), deletion::Deleted);
  EXPECT_EQ(machine.spooler.Default(), u"Alpha");

  deleteDriver = false;
  EXPECT_EQ(Delete(u"Alpha"), deletion::Deleted);
  EXPECT_EQ(machine.spooler.Default(), u"Zeta");
  deleteDriver = false;
  EXPECT_EQ(Delete(u"Zeta"), deletion::Deleted);
  EXPECT_FALSE(machine.spooler.Default());
}

TEST_F(DeletePrinterTest, AnExistingDefaultIsKept) {
  PutDriverWithPrinters("1.0.1", {u"Alpha", u"Beta"});
  machine.spooler.SetDefault(u"Beta");
  ustring newDefault = u"unset";
  ResetDefaultPrinter(context, newDefault);
  EXPECT_EQ(newDefault, u"");
  EXPECT_EQ(machine.spooler.Default(), u"Beta");

  machine.spooler.Fail(Call::DefaultPrinter, winerr::AccessDenied);
  ResetDefaultPrinter(context, newDefault);
  EXPECT_TRUE(trace.Contains(u"GetDefaultPrinter Fail, Error Code :0x00000005"));
}

TEST_F(DeletePrinterTest, DelSpecPrnDrvFailsTwiceWithThePauseForAnUnknownDriver) {
  EXPECT_FALSE(DelSpecPrnDrv(context, u"No Such Driver", kMaker));
  EXPECT_EQ(machine.system.SleptMilliseconds(), 1100u);
  EXPECT_TRUE(trace.Contains(u"DeletePrinterDriverEx Failt <1>, LastError = 0x00000705"));
  EXPECT_TRUE(trace.Contains(u"DeletePrinterDriverEx Failt <2> After Sleep(1000), LastError = 0x00000705"));
}

TEST_F(DeletePrinterTest, AQuoteInANameNeverReachesTheCommandLine) {
  PutDriverWithPrinters("1.0.1", {u"Quillon \"QX1"});
  EXPECT_EQ(Delete(u"Quillon \"QX1"), deletion::PrinterNotDeleted);
  EXPECT_TRUE(machine.processes.Started().empty());
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon \"QX1"));
}

}  // namespace
}  // namespace prn::removal
