// How a run ends when things go wrong: a silent or hanging 64-bit host, a
// printer that went away, a raised error, a refused staging; and what the
// checks before a run stop.

#include <gtest/gtest.h>

#include "install/pl_error_code.h"
#include "run_fixture.h"
#include "sys/dialogs.h"
#include "sys/win_errors.h"

namespace prn::install {
namespace {

using namespace prn::testing;

constexpr char16_t kUnknownReasonBox[] = u"Install failed for an unknown reason.\r\nTry again later.";

TEST_F(RunTest, TheWatchdogEndsTheRunWhenTheHostDiesSilently) {
  Use64BitWindows();
  AttachPrinter(true);
  HostEndsSilently();
  Install();
  EXPECT_GE(window.watchdogTicks, 1);
  EXPECT_EQ(Run().Completions(), 1);
  EXPECT_EQ(Run().FinalCode(), UIAddPrinterFailed);
  EXPECT_EQ(BoxTexts().back(), kUnknownReasonBox);
  EXPECT_EQ(machine.dialogs.Boxes().back().flags, sys::mb::IconWarning);
  EXPECT_TRUE(window.controlsEnabled);
  EXPECT_FALSE(window.watchdogOn);
  EXPECT_EQ(context.m_InstallingProgress, TInstallProgress::IPInstalled);
}

TEST_F(RunTest, AHostThatNeverAnswersIsGivenUpWithAClearBox) {
  Use64BitWindows();
  AttachPrinter(true);
  HostHangs();
  PrepareSession(InstallPolicy::Classic());
  ASSERT_TRUE(session->Start(true));
  EXPECT_FALSE(session->Start(true));  // one run per window at a time
  RunHeadless(*session, window);
  EXPECT_EQ(window.watchdogTicks, HostReport::kTicksBeforeGivingUp);
  EXPECT_EQ(Run().FinalCode(), winerr::Timeout);
  EXPECT_EQ(BoxTexts().back(),
            u"Install failed: This operation returned because the timeout period expired.\r\nTry again later.");
}

TEST_F(RunTest, AHostThatCannotStartEndsTheRunWithTheSystemsReason) {
  Use64BitWindows();
  AttachPrinter(true);
  sim::ScriptedCommand missing;
  missing.startError = winerr::FileNotFound;
  machine.processes.Script(kHostInstallCommand, missing);
  Install();
  EXPECT_EQ(Run().Completions(), 1);
  EXPECT_EQ(Run().FinalCode(), winerr::FileNotFound);
  EXPECT_EQ(BoxTexts().back(), u"Install failed: The system cannot find the file specified.\r\nTry again later.");
  EXPECT_EQ(window.watchdogTicks, 0);
}

TEST_F(RunTest, ARetryRunsInTheSameWorkerAndAsksAgainOnlyWhenWanted) {
  Use64BitWindows();
  AttachPrinter(true);
  machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, winerr::NoSuchDevinst};
  // Install now? Yes. Connect and retry? No: a run without the question. Then Cancel.
  machine.dialogs.ScriptAnswers({sys::mb::IdYes, sys::mb::IdNo, sys::mb::IdCancel});
  Install(InstallPolicy::Classic());
  const ustring retryBox = u"Connect the printer on USB001 and try again?";
  EXPECT_EQ(BoxTexts(), (std::vector<ustring>{u"Install now?", retryBox, retryBox}));
  EXPECT_EQ(machine.dialogs.Boxes()[1].flags, sys::mb::YesNoCancel | sys::mb::IconWarning);
  EXPECT_EQ(Run().Completions(), 2);
  EXPECT_TRUE(window.controlsEnabled);
}

TEST_F(RunTest, InTheProgressWindowAHostThatEndsWithoutAQueueIsFollowedByTheOfflineRoute) {
  Use64BitWindows();
  AttachPrinter(true);
  machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, winerr::NoSuchDevinst};
  Install(InstallPolicy::ProgressWindow());
  EXPECT_EQ(Run().Completions(), 1);
  EXPECT_EQ(BoxTexts(), std::vector<ustring>{u"Printer Quillon QX1 is ready on USB001."});
  EXPECT_NE(machine.processes.Started().back().commandLine.find(u"rundll32"), ustring::npos);
  EXPECT_EQ(window.closed, 1);
}

TEST_F(RunTest, ARaisedErrorIsShownAndGivesTheWindowBack) {
  machine.files.RemoveFile(u"C:\\Work\\inst2k.dll");
  for (InstallPolicy policy : {InstallPolicy::Classic(), InstallPolicy::ProgressWindow()}) {
    SCOPED_TRACE(policy.host == InstallHost::ClassicWindow ? "classic" : "progress");
    Install(policy);
    EXPECT_EQ(Run().Completions(), 0);
    EXPECT_EQ(Run().ErrorText(), u"DllNotFound :\r\nC:\\Work\\inst2k.dll");
    ASSERT_FALSE(machine.dialogs.Boxes().empty());
    EXPECT_EQ(machine.dialogs.Boxes().back().text, Run().ErrorText());
    EXPECT_EQ(machine.dialogs.Boxes().back().caption, u"Error");
    EXPECT_EQ(machine.dialogs.Boxes().back().flags, sys::mb::IconError);
    EXPECT_EQ(context.m_InstallingProgress, TInstallProgress::IPInstalled);
    EXPECT_TRUE(window.controlsEnabled);
  }
  EXPECT_EQ(window.closed, 1);  // the progress window's run
}

TEST_F(RunTest, AMissingInfIsNamedBeforeAnythingIsStaged) {
  PrepareSession(InstallPolicy::Classic());  // the settings were read while it was there
  machine.files.RemoveFile(u"C:\\Package\\Driver\\QX1.INF");
  ASSERT_TRUE(session->Start(true));
  RunHeadless(*session, window);
  EXPECT_EQ(BoxTexts().back(), u"The file or folder does not exist.\r\nC:\\Package\\Driver\\QX1.INF");
  EXPECT_FALSE(machine.files.DirectoryExists(u"C:\\Program Files\\Quillon"));
  EXPECT_TRUE(machine.processes.Started().empty());
}

TEST_F(RunTest, AFailedStagingIsReportedByTheClassicWindowOnly) {
  machine.shell.SetProgramFilesFolder(std::nullopt);
  Install(InstallPolicy::Classic());
  EXPECT_EQ(BoxTexts().back(), u"Install cancelled.");
  EXPECT_EQ(machine.dialogs.Boxes().back().flags, sys::mb::Ok);
  EXPECT_EQ(Run().FinalCode(), winerr::NoCatalogForOemInf);

  const size_t boxes = machine.dialogs.Boxes().size();
  Install(InstallPolicy::ProgressWindow());
  EXPECT_EQ(machine.dialogs.Boxes().size(), boxes);
  EXPECT_EQ(window.closed, 1);
  EXPECT_EQ(context.m_InstallingProgress, TInstallProgress::IPInstalled);
}

TEST_F(RunTest, TheChecksBeforeARunCanStopItBeforeAnythingHappens) {
  machine.dialogs.ScriptAnswers({sys::mb::IdNo});
  Install();
  EXPECT_EQ(BoxTexts(), std::vector<ustring>{u"Install now?"});
  EXPECT_TRUE(machine.processes.Started().empty());
  EXPECT_FALSE(machine.files.DirectoryExists(u"C:\\Program Files\\Quillon"));
  EXPECT_EQ(Run().Completions(), 0);

  context.m_iSelect = -1;
  Install();
  EXPECT_EQ(machine.dialogs.Boxes().size(), 1u);
  EXPECT_TRUE(machine.processes.Started().empty());
}

TEST_F(RunTest, QuietModeAndARunWithoutPromptAskNothingFirst) {
  AddSettings("QuiteMode=1\r\nForceOnlineCheck=1\r\n");
  Install();
  EXPECT_EQ(BoxTexts(), std::vector<ustring>{u"Printer Quillon QX1 is ready on LPT1:."});
  EXPECT_EQ(window.searchWindowShown, 1);
}

}  // namespace
}  // namespace prn::install
