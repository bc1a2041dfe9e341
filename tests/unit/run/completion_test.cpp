// The completion handlers: the failure code table with its boxes and
// retries, the retries a run makes of them, and how the success handler
// finds and configures the new queue.

#include <gtest/gtest.h>

#include "install/change_printer_info.h"
#include "install/install_context.h"
#include "run_fixture.h"
#include "spooler/printer_update.h"
#include "sys/dialogs.h"
#include "sys/win_errors.h"
#include "testing/test_files.h"

namespace prn::install {
namespace {

using namespace prn::testing;

TEST_F(RunTest, EveryFailureCodeGetsItsOwnBoxAndRetry) {
  struct Case {
    uint32_t code;
    ustring port;  // m_strDisConnectPort
    int answer;
    std::optional<ustring> text;  // none: no box
    uint32_t flags;
    Retry retry;
  };
  const ustring unknown = u"Install failed for an unknown reason.\r\nTry again later.";
  const ustring online = u"Connect the printer on USB001 and try again?";
  const Case cases[] = {
      {0, u"", 0, std::nullopt, 0, Retry::None},
      {UIAddPrinterFailed, u"", 0, unknown, sys::mb::IconWarning, Retry::None},
      {UIAddPrinterNoNewPrinter, u"", 0, unknown, sys::mb::IconWarning, Retry::None},
      {winerr::NoCatalogForOemInf, u"", 0, u"Install cancelled.", sys::mb::Ok, Retry::None},
      {winerr::AccessDenied, u"", 0, u"Install failed: Access is denied.\r\nTry again later.",
       sys::mb::IconInformation, Retry::None},
      {winerr::NoSuchDevinst, u"USB001", sys::mb::IdYes, online, 0x33, Retry::WithPrompt},
      {winerr::NoSuchDevinst, u"USB001", sys::mb::IdNo, online, 0x33, Retry::WithoutPrompt},
      {winerr::NoSuchDevinst, u"USB001", sys::mb::IdCancel, online, 0x33, Retry::None},
      {winerr::NoSuchDevinst, u"LPT1:", 0, std::nullopt, 0, Retry::Automatic},
  };
  InstallRunner& runner = Program().OpenWindow();
  InstallContext& context = runner.Context();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const size_t before = Machine().dialogs.Boxes().size();
    context.m_strDisConnectPort = c.port;
    context.m_InstallingProgress = TInstallProgress::IPInstalling;
    if (c.answer) Machine().dialogs.ScriptAnswers({c.answer});
    EXPECT_EQ(runner.InstallFailPrompt(c.code), c.retry);
    EXPECT_EQ(context.m_dwLastErrorCode, c.code);
    EXPECT_EQ(context.m_InstallingProgress, TInstallProgress::IPInstalled);
    ASSERT_EQ(Machine().dialogs.Boxes().size(), before + (c.text ? 1 : 0));
    if (!c.text) continue;
    const auto& box = Machine().dialogs.Boxes().back();
    EXPECT_EQ(box.text, *c.text);
    EXPECT_EQ(box.caption, u"Notice");
    EXPECT_EQ(box.flags, c.flags);
    EXPECT_EQ(box.owner, kWindow);
  }
}

// The host's 0x401 with 0xE000020B: the printer went away. Yes and No each
// give one more run in the same start; the window stays locked until the
// last box is answered.
TEST_F(RunTest, APrinterThatWentAwayIsAskedForAndRetriedInTheSameStart) {
  Use64BitWindows();
  AttachPrinter(true);
  Machine().devices.updateScenario = {sim::DriverUpdateOutcome::Fail, winerr::NoSuchDevinst};
  // Install now? Yes. Connect and retry? No: a run without the question. Then Cancel.
  Machine().dialogs.ScriptAnswers({sys::mb::IdYes, sys::mb::IdNo, sys::mb::IdCancel});
  Install();
  const ustring retryBox = u"Connect the printer on USB001 and try again?";
  EXPECT_EQ(BoxTexts(), (std::vector<ustring>{u"Install now?", retryBox, retryBox}));
  EXPECT_EQ(Machine().dialogs.Boxes()[1].flags, sys::mb::YesNoCancel | sys::mb::IconWarning);
  EXPECT_EQ(Runner().Completions(), 2);
  EXPECT_EQ(HostInstallStarts(), 2);
  EXPECT_TRUE(Classic().controlsEnabled);
}

// A parallel printer that went away is retried once without a question;
// when it is still away, the user is told instead of being left without a word.
TEST_F(RunTest, AParallelPrinterIsRetriedOnceAndThenReported) {
  Use64BitWindows();
  AttachPrinter(true, "LPT1");
  Machine().devices.updateScenario = {sim::DriverUpdateOutcome::Fail, winerr::NoSuchDevinst};
  Install();
  EXPECT_EQ(Runner().Completions(), 2);
  EXPECT_EQ(HostInstallStarts(), 2);
  ASSERT_EQ(BoxTexts().size(), 2u);
  EXPECT_EQ(BoxTexts()[0], u"Install now?");
  EXPECT_EQ(BoxTexts()[1].rfind(u"Install failed: ", 0), 0u);
  EXPECT_EQ(Runner().FinalCode(), winerr::NoSuchDevinst);
  EXPECT_TRUE(Classic().controlsEnabled);
}

TEST_F(RunTest, TheSuccessHandlerConfiguresTheNewQueueFromTheEntry) {
  AddSettings("DefaultPort=addlocal:C:\\Out\\qx1.prn\r\nPrintProcess=QxProc\r\nDefaultForm=A5\r\n"
              "AlwaysSetDefault=1\r\nAfterRun=C:\\Package\\After.exe\r\n");
  WriteFile(Machine().files, u"C:\\Package\\After.exe", "MZ-after");
  Machine().spooler.PutPrintProcessor(u"QxProc");
  Install();
  const auto printer = Machine().spooler.FindPrinter(kModel);
  ASSERT_TRUE(printer);
  EXPECT_EQ(printer->pPortName, u"C:\\Out\\qx1.prn");  // created through the Local Port monitor
  EXPECT_EQ(printer->pPrintProcessor, u"QxProc");
  EXPECT_TRUE(printer->Attributes & sys::spool::AttributeRawOnly);
  ASSERT_TRUE(printer->pDevMode);
  EXPECT_EQ(ustring(printer->pDevMode->dm.dmFormName), u"A5");
  ustring defaultPrinter;
  EXPECT_TRUE(spooler::GetDefaultPrinterName(Machine().spooler, defaultPrinter));
  EXPECT_EQ(defaultPrinter, kModel);
  ASSERT_EQ(Machine().shell.Executions().size(), 1u);
  EXPECT_EQ(Machine().shell.Executions()[0].file, u"C:\\Package\\After.exe");
  EXPECT_EQ(BoxTexts().back(), u"Printer Quillon QX1 is ready on C:\\Out\\qx1.prn.\r\nRestart first.");
}

TEST_F(RunTest, TheProgressWindowLeavesTheFormAloneAndAlwaysFormatsItsText) {
  AddSettings("ViewMode=20\r\nDefaultForm=A5\r\nPrintProcess=WinPrint\r\n");
  Program().Values().strInstaller.InstallSuccessStr = u"Done at 100%%";
  Install();
  const auto printer = Machine().spooler.FindPrinter(kModel);
  ASSERT_TRUE(printer);
  EXPECT_TRUE(!printer->pDevMode || ustring(printer->pDevMode->dm.dmFormName) != u"A5");
  EXPECT_EQ(printer->pPrintProcessor, kWinPrint);
  EXPECT_FALSE(printer->Attributes & sys::spool::AttributeRawOnly);
  // WinPrint named still gives the restart note.
  EXPECT_EQ(BoxTexts().back(), u"Done at 100%\r\nRestart first.");
}

TEST_F(RunTest, TheClassicWindowFormatsOnlyASuccessTextWithAPlaceholder) {
  Program().Values().strInstaller.InstallSuccessStr = u"Done at 100%%";
  Install();
  EXPECT_EQ(BoxTexts().back(), u"Done at 100%%");
}

TEST_F(RunTest, OfTwoNewQueuesTheOneOnTheInstallPortIsConfigured) {
  InstallRunner& runner = Program().OpenWindow();
  Machine().spooler.PutPort(u"USB001", u"USB Monitor");
  Machine().spooler.PutPrinter(u"Quillon QX1", kModel, u"USB001");
  Machine().spooler.PutPrinter(u"Quillon QX1 (Copy 2)", kModel, u"LPT1:");
  runner.Context().m_iSelect = 0;
  runner.Context().m_strInstallPortName = u"USB001";
  runner.Context().m_bOnlineInstall = true;
  runner.InstallSuccPrompt();
  EXPECT_EQ(BoxTexts().back(), u"Printer Quillon QX1 is ready on USB001.");
  ustring defaultPrinter;
  spooler::GetDefaultPrinterName(Machine().spooler, defaultPrinter);
  EXPECT_EQ(defaultPrinter, u"Quillon QX1");
  EXPECT_TRUE(runner.Context().m_strInstallingPrinter.empty());
}

TEST_F(RunTest, ChangesThatDoNotFitAreRefusedAndLongNamesStillWork) {
  sim::Machine& machine = Machine();
  const ustring longName = u"Quillon QX1 on the third floor by the window next to the coffee machine";
  ASSERT_GT(longName.size(), 64u);
  machine.spooler.PutDriver(kModel);
  machine.spooler.PutPrinter(longName, kModel, u"LPT1:");
  const auto before = machine.spooler.FindPrinter(longName)->pDevMode->dm;

  TChangePrinterInfo info;
  info.OrgName = longName;
  info.bSetDefault = true;
  info.DefaultForm = ustring(40, u'F');  // beyond dmFormName's 32 characters
  info.Port = u"NOSUCHPORT:";
  EXPECT_TRUE(ApplyChangePrinterInfo(machine.Platform(), info));
  const auto after = machine.spooler.FindPrinter(longName);
  EXPECT_EQ(ustring(after->pDevMode->dm.dmFormName), ustring(before.dmFormName));
  EXPECT_EQ(after->pPortName, u"LPT1:");
  ustring defaultPrinter;
  EXPECT_TRUE(spooler::GetDefaultPrinterName(machine.spooler, defaultPrinter));
  EXPECT_EQ(defaultPrinter, longName);

  info.OrgName = u"No such printer";
  EXPECT_FALSE(ApplyChangePrinterInfo(machine.Platform(), info));
}

}  // namespace
}  // namespace prn::install
