#include "install/older_driver_removal.h"

#include <gtest/gtest.h>

#include "config/install_info.h"
#include "config/str_installer.h"
#include "removal/delete_printer_and_driver.h"
#include "removal_fixture.h"
#include "sys/dialogs.h"
#include "sim/spooler.h"
#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn::removal {
namespace {

using namespace prn::testing;
using install::AfterRestartDeclined;
using install::BeforeInstallOutcome;
using install::UninstallBeforeInstall;
using install::UninstallOlderDriver;
using Call = sim::SimSpooler::Call;
constexpr sys::WindowHandle kOwner = 0x4321;

class OlderDriverTest : public RemovalTest {
 protected:
  OlderDriverTest() {
    entry.PrinterName = kModel;
    entry.MustUninstallForGDP = u"1.0.2";
    texts.OEMManufactor = kMaker;
    texts.NoticeTitle = u"Notice";
    texts.ErrorTitle = u"Error";
    texts.InstallBeforeNeedUninstall = u"Delete the old driver?";
    texts.DeletePrinterIsPrinting = u"Still printing";
    texts.DeletePrinterError = u"Cannot delete";
    texts.DeletePrinterDriverError = u"Driver files in use";
    texts.RestartWindowsimmediately = u"Restart now?";
  }
  BeforeInstallOutcome Check(AfterRestartDeclined afterDeclined = AfterRestartDeclined::Install) {
    return UninstallBeforeInstall(context, entry, texts, kOwner, afterDeclined);
  }
  void PutJobOn(const ustring& printer) { machine.spooler.PutJob(printer, sys::JOB_INFO_1W{}); }

  config::TRInstallInfo entry;
  config::TStrInstaller texts;
  trace::Capture trace;
};

TEST_F(OlderDriverTest, AnOlderDriverGoesWithAllItsPrinters) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1", u"Quillon QX1 (Copy 1)"});
  PutUninstallEntry(kModel, 0);
  uint8_t code = 99;
  EXPECT_TRUE(UninstallOlderDriver(context, kModel, u"1.0.2", kMaker, code));
  EXPECT_EQ(code, deletion::Deleted);
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Quillon QX1"));
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Quillon QX1 (Copy 1)"));
  EXPECT_FALSE(machine.spooler.FindDriver(kModel));
  EXPECT_FALSE(machine.registry.KeyExists(MakerKey()));
}

TEST_F(OlderDriverTest, ASameOrNewerDriverOrNoPackageVersionStays) {
  PutDriverWithPrinters("1.0.2", {u"Quillon QX1"});
  uint8_t code = 99;
  EXPECT_TRUE(UninstallOlderDriver(context, kModel, u"1.0.2", kMaker, code));
  EXPECT_TRUE(UninstallOlderDriver(context, kModel, u"", kMaker, code));
  EXPECT_EQ(code, 99);
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon QX1"));
}

TEST_F(OlderDriverTest, TheFirstPrinterThatCannotGoStopsTheRemoval) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1", u"Quillon QX1 (Copy 1)"});
  PutJobOn(u"Quillon QX1");
  uint8_t code = 99;
  EXPECT_FALSE(UninstallOlderDriver(context, kModel, u"1.0.2", kMaker, code));
  EXPECT_EQ(code, deletion::PrinterHasJobs);
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon QX1 (Copy 1)"));
}

TEST_F(OlderDriverTest, NoPackageVersionOrNoOlderDriverAsksNothing) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  entry.MustUninstallForGDP.clear();
  EXPECT_TRUE(Check().mayContinue);
  entry.MustUninstallForGDP = u"1.0.1";
  EXPECT_TRUE(Check().mayContinue);
  EXPECT_TRUE(machine.dialogs.Boxes().empty());
}

TEST_F(OlderDriverTest, NoToTheQuestionStopsTheInstall) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  machine.dialogs.ScriptAnswers({sys::mb::IdNo});
  BeforeInstallOutcome outcome = Check();
  EXPECT_FALSE(outcome.mayContinue);
  EXPECT_FALSE(outcome.endApplication);
  ASSERT_EQ(machine.dialogs.Boxes().size(), 1u);
  EXPECT_EQ(machine.dialogs.Boxes()[0].owner, kOwner);
  EXPECT_EQ(machine.dialogs.Boxes()[0].text, u"Delete the old driver?");
  EXPECT_EQ(machine.dialogs.Boxes()[0].caption, u"Notice");
  EXPECT_EQ(machine.dialogs.Boxes()[0].flags, 36u);
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon QX1"));
}

TEST_F(OlderDriverTest, YesRemovesTheOldDriverAndTheInstallGoesOn) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  machine.dialogs.ScriptAnswers({sys::mb::IdYes});
  EXPECT_TRUE(Check().mayContinue);
  EXPECT_FALSE(machine.spooler.FindDriver(kModel));
  EXPECT_EQ(machine.dialogs.Boxes().size(), 1u);
}

TEST_F(OlderDriverTest, APrinterStillPrintingIsReportedAndStopsTheInstall) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  PutJobOn(u"Quillon QX1");
  machine.dialogs.ScriptAnswers({sys::mb::IdYes});
  EXPECT_FALSE(Check().mayContinue);
  ASSERT_EQ(machine.dialogs.Boxes().size(), 2u);
  EXPECT_EQ(machine.dialogs.Boxes()[1].text, u"Still printing");
  EXPECT_EQ(machine.dialogs.Boxes()[1].caption, u"Error");
  EXPECT_EQ(machine.dialogs.Boxes()[1].flags, sys::mb::IconError);
  EXPECT_TRUE(trace.Contains(u"打印機還有打印任務，不能刪除！"));
}

TEST_F(OlderDriverTest, APrinterThatCannotBeDeletedIsReported) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  machine.processes.Script(
      u"\"C:\\Windows\\system32\\rundll32.exe\" printui.dll,PrintUIEntry /dl /n \"Quillon QX1\" /h \"intel\" /q", {});
  machine.dialogs.ScriptAnswers({sys::mb::IdYes});
  EXPECT_FALSE(Check().mayContinue);
  ASSERT_EQ(machine.dialogs.Boxes().size(), 2u);
  EXPECT_EQ(machine.dialogs.Boxes()[1].text, u"Cannot delete");
  EXPECT_TRUE(trace.Contains(u"刪除打印機過程中出現意外錯誤！"));
}

TEST_F(OlderDriverTest, AKeptDriverOffersARestartWhoseRefusalEachWindowReadsItsOwnWay) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  machine.spooler.Fail(Call::DeleteDriver, winerr::PrinterDriverInUse);
  machine.dialogs.ScriptAnswers({sys::mb::IdYes, sys::mb::IdNo});
  EXPECT_TRUE(Check(AfterRestartDeclined::Install).mayContinue);
  ASSERT_EQ(machine.dialogs.Boxes().size(), 2u);
  EXPECT_EQ(machine.dialogs.Boxes()[1].text, u"Driver files in use\r\nRestart now?");
  EXPECT_EQ(machine.dialogs.Boxes()[1].caption, u"Notice");
  EXPECT_EQ(machine.dialogs.Boxes()[1].flags, 68u);
  EXPECT_TRUE(trace.Contains(u"已刪除打印機，但不能刪除其驅動程序！"));
  EXPECT_TRUE(machine.privileges.ExitRequests().empty());

  machine.spooler.PutPrinter(u"Quillon QX1", kModel, u"LPT1:");
  machine.dialogs.ScriptAnswers({sys::mb::IdYes, sys::mb::IdNo});
  EXPECT_FALSE(Check(AfterRestartDeclined::DoNotInstall).mayContinue);
}

TEST_F(OlderDriverTest, AnAcceptedRestartEndsTheApplication) {
  PutDriverWithPrinters("1.0.1", {u"Quillon QX1"});
  machine.spooler.Fail(Call::DeleteDriver, winerr::PrinterDriverInUse);
  machine.dialogs.ScriptAnswers({sys::mb::IdYes, sys::mb::IdYes});
  BeforeInstallOutcome outcome = Check(AfterRestartDeclined::Install);
  EXPECT_TRUE(outcome.endApplication);
  EXPECT_FALSE(outcome.mayContinue);
  EXPECT_EQ(machine.privileges.ExitRequests().size(), 1u);

  machine.spooler.PutPrinter(u"Quillon QX1", kModel, u"LPT1:");
  machine.privileges.RefuseExit(true);
  machine.dialogs.ScriptAnswers({sys::mb::IdYes, sys::mb::IdYes});
  outcome = Check();
  EXPECT_FALSE(outcome.endApplication);
  EXPECT_TRUE(outcome.mayContinue);
}

}  // namespace
}  // namespace prn::removal
