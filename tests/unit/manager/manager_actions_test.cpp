// What the manager's controls do on the simulated machine.
#include <gtest/gtest.h>

#include "manager_fixture.h"
#include "sys/dialogs.h"
#include "ui/background_work.h"
#include "trace/trace.h"

namespace prn::ui {
namespace {

using namespace prn::testing;

class ManagerActionsTest : public ManagerTest {
 protected:
  ManagerActionsTest() {
    machine.spooler.PutPort(u"USB001");
    PutPrinter(u"Office", u"LPT1:");
    PutPrinter(u"Quillon QX1", u"COM1:", sys::spool::AttributeWorkOffline);
    machine.spooler.SetDefault(u"Quillon QX1");
  }
  int PortRow(const ustring& port) const { return systemPorts.IndexOf(port); }
};

TEST_F(ManagerActionsTest, ShowSelectsTheDefaultPrinterAndItsPortWithCaptionsFromTheLanguageFile) {
  TFormManager& form = Manager();
  form.FormShow();
  EXPECT_EQ(form.Form().caption, u"Printer Port Manager");
  EXPECT_EQ(form.ColumnTitles(), (StringList{u"Printer name", u"Port", u"Status"}));
  ASSERT_EQ(form.Rows().size(), 2u);
  EXPECT_EQ(form.SelectedRow(), 1);
  EXPECT_EQ(form.SelectedPrinter(), u"Quillon QX1");
  EXPECT_EQ(form.PortIndex(), PortRow(u"COM1:"));
  EXPECT_TRUE(form.SelectionControlsVisible());
  EXPECT_TRUE(form.SetEnabled());
  EXPECT_TRUE(form.TestPageVisible());

  form.lvSystemPrintersSelectItem(-1);
  EXPECT_FALSE(form.SelectionControlsVisible());
  EXPECT_FALSE(form.SetEnabled());

  TFormManager& xp = Manager(51);
  xp.FormShow();
  EXPECT_FALSE(xp.TestPageVisible());
  xp.RunMenuAction(ManagerMenuAction::PrintTestPage);
  EXPECT_TRUE(commands.Requests().empty());
}

TEST_F(ManagerActionsTest, SetMovesThePortMakesTheDefaultAndBringsAnAttachedUsbPrinterOnline) {
  machine.usb.Attach("USB001", "MFG:Quillon;MDL:QX1;CMD:PCL,PJL;CLS:PRINTER;");
  TFormManager& form = Manager();
  form.FormShow();
  form.lvSystemPrintersSelectItem(0);  // Office
  EXPECT_TRUE(form.UsbCheckVisible());
  EXPECT_EQ(form.UsbCheckCaption(), u"Printer port is set to USB001");
  form.cbbPrinterPortSelect(PortRow(u"USB001"));
  form.btnSetClick();
  EXPECT_EQ(machine.spooler.FindPrinter(u"Office")->pPortName, u"USB001");
  EXPECT_EQ(machine.spooler.Default(), u"Office");
  EXPECT_EQ(form.DefaultRow(), 0);

  // Not ticked: the default stays; a port without a printer attached leaves the state alone.
  form.lvSystemPrintersSelectItem(1);
  form.chkSetDefaultPrinterClick(false);
  form.cbbPrinterPortSelect(PortRow(u"LPT2:"));
  form.btnSetClick();
  EXPECT_EQ(machine.spooler.FindPrinter(u"Quillon QX1")->pPortName, u"LPT2:");
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon QX1")->Attributes & sys::spool::AttributeWorkOffline);
  EXPECT_EQ(machine.spooler.Default(), u"Office");
  form.cbbPrinterPortSelect(PortRow(u"USB001"));
  form.btnSetClick();
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Quillon QX1")->Attributes & sys::spool::AttributeWorkOffline);
}

TEST_F(ManagerActionsTest, SetWithoutAPortOrWithAPortThatIsGoneChangesNothingAndAVanishedPrinterIsReported) {
  TFormManager& form = Manager();
  form.FormShow();
  const size_t writes = machine.spooler.SetPrinterCount();
  form.cbbPrinterPortSelect(-1);
  EXPECT_FALSE(form.SetEnabled());
  form.btnSetClick();
  form.cbbPrinterPortSelect(PortRow(u"LPT3:"));
  machine.spooler.Fail(sim::SimSpooler::Call::EnumPorts, 5);
  form.RefreshSystemPorts();  // the chosen port is no longer listed
  EXPECT_EQ(form.PortIndex(), -1);
  form.btnSetClick();
  EXPECT_EQ(machine.spooler.SetPrinterCount(), writes);
  EXPECT_EQ(machine.spooler.Default(), u"Quillon QX1");
  EXPECT_TRUE(machine.dialogs.Boxes().empty());

  // The printer goes between the list and the click: a box says why, the list drops it.
  machine.spooler.Heal(sim::SimSpooler::Call::EnumPorts);
  form.RefreshSystemPorts();
  form.lvSystemPrintersSelectItem(0);
  form.cbbPrinterPortSelect(PortRow(u"LPT3:"));
  sys::PRINTER_DEFAULTSW all;
  all.DesiredAccess = sys::spool::PrinterAllAccess;
  ASSERT_TRUE(machine.spooler.OpenPrinterHandle(u"Office", &all)->DeleteQueue());
  form.btnSetClick();
  ASSERT_EQ(machine.dialogs.Boxes().size(), 1u);
  EXPECT_EQ(machine.dialogs.Boxes()[0].caption, u"Error");
  EXPECT_EQ(machine.dialogs.Boxes()[0].flags, sys::mb::IconError);
  EXPECT_EQ(machine.dialogs.Boxes()[0].text, u"Windows error 1801.");
  EXPECT_EQ(form.Rows().size(), 1u);
  EXPECT_EQ(machine.spooler.Default(), u"Quillon QX1");
}

TEST_F(ManagerActionsTest, MenuActionsReachTheShellWithTheirActionValues) {
  TFormManager& form = Manager();
  form.AttachWindow(0x1234);
  form.FormShow();
  form.RunMenuAction(ManagerMenuAction::ViewJobs);
  form.RunMenuAction(ManagerMenuAction::OpenProperty);
  form.RunMenuAction(ManagerMenuAction::OpenDocumentDefaults);
  form.RunMenuAction(ManagerMenuAction::PrintTestPage);
  form.lvSystemPrintersDblClick();
  ASSERT_EQ(commands.Requests().size(), 5u);
  const uint32_t expected[] = {sys::printaction::Open, sys::printaction::Properties,
                               sys::printaction::DocumentDefaults, sys::printaction::TestPage,
                               sys::printaction::Properties};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(commands.Requests()[i].action, expected[i]);
    EXPECT_EQ(commands.Requests()[i].printerName, u"Quillon QX1");
    EXPECT_EQ(commands.Requests()[i].owner, 0x1234u);
  }
  form.lvSystemPrintersSelectItem(0);
  form.RunMenuAction(ManagerMenuAction::SetAsDefault);
  EXPECT_EQ(machine.spooler.Default(), u"Office");
  EXPECT_EQ(form.DefaultRow(), 0);
}

TEST_F(ManagerActionsTest, DeletionAsksThenShowsTheOutcomeAndKeepsASelection) {
  TFormManager& form = Manager();
  form.FormShow();
  machine.dialogs.ScriptAnswers({sys::mb::IdCancel});
  form.RunMenuAction(ManagerMenuAction::Delete);
  ASSERT_EQ(machine.dialogs.Boxes().size(), 1u);
  EXPECT_EQ(machine.dialogs.Boxes()[0].text, u"Really need to delete the printer?Quillon QX1");
  EXPECT_EQ(machine.dialogs.Boxes()[0].flags, 33u);
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon QX1"));

  sys::JOB_INFO_1W job;
  job.pDocument = u"report";
  machine.spooler.PutJob(u"Quillon QX1", job);
  machine.dialogs.ScriptAnswers({sys::mb::IdOk, sys::mb::IdOk});
  form.RunMenuAction(ManagerMenuAction::Delete);
  EXPECT_EQ(machine.dialogs.Boxes().back().text, values.strInstaller.DeletePrinterIsPrinting);
  EXPECT_EQ(machine.dialogs.Boxes().back().flags, sys::mb::IconError);
  EXPECT_TRUE(machine.spooler.FindPrinter(u"Quillon QX1"));

  // The last row goes: the new last row is selected. Office shares the driver, so it stays.
  form.lvSystemPrintersSelectItem(1);
  PutPrinter(u"Zeta", u"LPT3:");
  form.RefreshSystemPrinters();
  form.lvSystemPrintersSelectItem(2);
  machine.dialogs.ScriptAnswers({sys::mb::IdOk, sys::mb::IdOk});
  form.RunMenuAction(ManagerMenuAction::Delete);
  EXPECT_EQ(machine.dialogs.Boxes().back().text, u"Delete the specified printer successfully.");
  EXPECT_EQ(machine.dialogs.Boxes().back().caption, u"Notice");
  EXPECT_EQ(machine.dialogs.Boxes().back().flags, 0u);
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Zeta"));
  ASSERT_EQ(form.Rows().size(), 2u);
  EXPECT_EQ(form.SelectedRow(), 1);
  EXPECT_TRUE(machine.spooler.FindDriver(kModel));
}

TEST_F(ManagerActionsTest, ADeletionRunsOffTheWindowThreadAndTheWindowTakesNoInputMeanwhile) {
  sys::UiTasks tasks(machine.uiThread);
  ThreadedWork work(tasks);
  ui::ManagerMachine parts;
  parts.removal.platform = machine.Platform();
  parts.work = &work;
  TFormManager form(parts, values.strInstaller, values.langOptions, systemPorts, 100);
  form.FormShow();
  form.lvSystemPrintersSelectItem(0);  // Office
  machine.dialogs.ScriptAnswers({sys::mb::IdOk, sys::mb::IdOk});
  form.RunMenuAction(ManagerMenuAction::Delete);
  EXPECT_TRUE(form.Busy());
  form.cbbPrinterPortSelect(systemPorts.IndexOf(u"LPT3:"));
  form.btnSetClick();  // ignored until the deletion has ended
  ASSERT_TRUE(WaitForPosted(1));
  EXPECT_EQ(machine.dialogs.Boxes().size(), 1u);  // the result is shown on the window thread only
  RunPosted();
  EXPECT_FALSE(form.Busy());
  EXPECT_EQ(machine.dialogs.Boxes().back().text, u"Delete the specified printer successfully.");
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Office"));
  ASSERT_EQ(form.Rows().size(), 1u);
  EXPECT_EQ(form.SelectedPrinter(), u"Quillon QX1");
  EXPECT_EQ(machine.spooler.FindPrinter(u"Quillon QX1")->pPortName, u"COM1:");
}

TEST_F(ManagerActionsTest, TheWatcherStartsOnceAndOnlyPostsTheRebuild) {
  TFormManager& form = Manager();
  form.FormShow();
  form.FormShow();
  EXPECT_TRUE(form.WatcherStarted());

  PutPrinter(u"New", u"LPT2:");
  changes.Signal(0x100);
  ASSERT_TRUE(WaitForPosted(1));
  EXPECT_EQ(changes.LastFilter(), 0xFFu);
  EXPECT_EQ(form.Rows().size(), 2u);  // nothing rebuilt off the window thread
  EXPECT_EQ(RunPosted(), 1u);
  EXPECT_EQ(form.Rows().size(), 3u);
  EXPECT_EQ(form.SelectedPrinter(), u"Quillon QX1");  // still the chosen printer, one row further down
  EXPECT_EQ(form.SelectedRow(), 2);
  EXPECT_EQ(form.Hint(), u" / 10:20:30 00000100");
  EXPECT_EQ(changes.Watches(), 1);  // one watcher for two showings

  form.lblPrinterPortDblClick();
  EXPECT_TRUE(form.HintShown());
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Quillon QX1")->Attributes & sys::spool::AttributeWorkOffline);

  changes.Signal(0x2);
  ASSERT_TRUE(WaitForPosted(1));
  manager.reset();  // the thread ends and closes its handles; a late task finds no manager
  EXPECT_EQ(changes.OpenNotifications(), 0);
  EXPECT_EQ(RunPosted(), 1u);
}

TEST_F(ManagerActionsTest, AFailingNextChangeReplacesTheHandleOnceThenWatchingEnds) {
  changes.FailNextChange(1);
  changes.Signal(0x1);
  {
    TFormManager& form = Manager();
    form.FormShow();
    changes.Signal(0x4);
    ASSERT_TRUE(WaitForPosted(1));  // the replacement delivered the pending change
    EXPECT_EQ(changes.Watches(), 2);

    changes.FailNextChange(1000);
    changes.Signal(0x8);
    manager.reset();  // joins: the thread has ended or been stopped
  }
  EXPECT_LE(changes.NextChangeCalls(), 5);  // no spinning on a signalled handle
  EXPECT_EQ(changes.OpenNotifications(), 0);

  // Without a spooler watch the window works, without automatic refresh.
  changes.FailWatch(true);
  TFormManager& form = Manager();
  form.FormShow();
  EXPECT_EQ(form.Rows().size(), 2u);
}

}  // namespace
}  // namespace prn::ui
