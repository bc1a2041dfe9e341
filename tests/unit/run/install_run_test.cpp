// How a run goes when things go wrong or wait: a silent or slow 64-bit host,
// a raised error, a refused staging, the second staging after 0x20280010,
// the checks before a run, and a window that stays locked from the start of
// a run until its last box.

#include <gtest/gtest.h>

#include "install/install_context.h"
#include "run_fixture.h"
#include "sys/dialogs.h"
#include "sim/host64.h"
#include "sys/win_errors.h"
#include "testing/test_files.h"
#include "trace/trace.h"

namespace prn::install {
namespace {

using namespace prn::testing;

constexpr char16_t kUnknownReasonBox[] = u"Install failed for an unknown reason.\r\nTry again later.";
constexpr char16_t kInfRegistered[] = u"向系統註冊了Inf文件：";

int Count(const trace::Capture& trace, ustring_view text) {
  int count = 0;
  for (const auto& line : trace.Lines()) count += line.text.find(text) != ustring::npos;
  return count;
}

TEST_F(RunTest, TheWatchdogEndsTheRunWhenTheHostDiesSilently) {
  Use64BitWindows();
  AttachPrinter(true);
  HostDoes("silent");
  Install();
  EXPECT_GE(Classic().watchdogTicks, 1);
  EXPECT_EQ(Runner().Completions(), 1);
  EXPECT_EQ(Runner().FinalCode(), UIAddPrinterFailed);
  EXPECT_EQ(BoxTexts().back(), kUnknownReasonBox);
  EXPECT_EQ(Machine().dialogs.Boxes().back().flags, sys::mb::IconWarning);
  EXPECT_TRUE(Classic().controlsEnabled);
  EXPECT_FALSE(Classic().watchdogOn);
  EXPECT_EQ(Runner().Progress(), TInstallProgress::IPInstalled);
}

// A host still inside the driver install may wait for Windows or the user:
// it is waited for past the ten minutes, never ended, and the window stays
// locked meanwhile.
TEST_F(RunTest, AHostThatRunsLongIsWaitedForAndNeverEnded) {
  Use64BitWindows();
  AttachPrinter(true);
  HostDoes("hang");
  trace::Capture trace;
  Install();
  EXPECT_GT(Classic().watchdogTicks, HostReport::kTicksBeforeNotedSlow);
  EXPECT_TRUE(trace.Contains(u"64位安裝進程長時間沒有回應，繼續等待它完成。"));
  EXPECT_EQ(Runner().Completions(), 1);
  EXPECT_EQ(BoxTexts().back(), kUnknownReasonBox);
}

class BothWindowsTest : public RunTest, public ::testing::WithParamInterface<bool> {
 protected:
  BothWindowsTest() {
    if (Skinned()) AddSettings("ViewMode=20\r\n");
  }
  static bool Skinned() { return GetParam(); }
  bool WindowBack() { return Skinned() ? Progress().closed == 1 : Classic().controlsEnabled; }
};

INSTANTIATE_TEST_SUITE_P(Window, BothWindowsTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Progress" : "Classic"; });

TEST_P(BothWindowsTest, ARaisedErrorIsShownAndGivesTheWindowBack) {
  Machine().deviceLibraries.FailLoad(Program().Values().g_strInst2kDll, winerr::ModNotFound);
  Install();
  EXPECT_EQ(Runner().Completions(), 0);
  EXPECT_EQ(Runner().ErrorText(), u"DllNotFound :\r\n" + Program().Values().g_strInst2kDll);
  ASSERT_FALSE(Machine().dialogs.Boxes().empty());
  EXPECT_EQ(Machine().dialogs.Boxes().back().text, Runner().ErrorText());
  EXPECT_EQ(Machine().dialogs.Boxes().back().caption, u"Error");
  EXPECT_EQ(Machine().dialogs.Boxes().back().flags, sys::mb::IconError);
  EXPECT_EQ(Runner().Progress(), TInstallProgress::IPInstalled);
  EXPECT_TRUE(WindowBack());
}

TEST_P(BothWindowsTest, AFailedStagingIsReportedByTheClassicWindowOnly) {
  Machine().shell.SetProgramFilesFolder(std::nullopt);
  Install();
  if (Skinned()) {
    EXPECT_EQ(BoxTexts(), std::vector<ustring>{});
    EXPECT_EQ(Runner().Completions(), 0);
  } else {
    EXPECT_EQ(BoxTexts().back(), u"Install cancelled.");
    EXPECT_EQ(Machine().dialogs.Boxes().back().flags, sys::mb::Ok);
    EXPECT_EQ(Runner().FinalCode(), winerr::NoCatalogForOemInf);
  }
  EXPECT_EQ(Runner().Progress(), TInstallProgress::IPInstalled);
  EXPECT_TRUE(WindowBack());
}

TEST_F(RunTest, AMissingInfIsNamedBeforeAnythingIsStaged) {
  Program();  // the settings are read while it is there
  Machine().files.RemoveFile(u"C:\\Package\\Driver\\QX1.INF");
  Install();
  EXPECT_EQ(BoxTexts().back(), u"The file or folder does not exist.\r\nC:\\Package\\Driver\\QX1.INF");
  EXPECT_FALSE(Machine().files.DirectoryExists(u"C:\\Program Files\\Quillon"));
  EXPECT_TRUE(Machine().processes.Started().empty());
}

// 0x20280010: the model is installed on the device's port already. The
// package is staged a second time and the offline route follows; a second
// staging that fails ends the run as "cancelled".
TEST_F(RunTest, AModelInstalledOnTheDevicesPortIsStagedAgainAndInstalledOffline) {
  AttachPrinter(false);
  Program();
  // The probe finds the printer attached and its driver not yet in place.
  Machine().devices.updateScenario = {sim::DriverUpdateOutcome::UserDeclines};
  Machine().spooler.PutDriver(kModel);
  Machine().spooler.PutPrinter(u"Office", kModel, u"USB001");
  trace::Capture trace;
  Install();
  EXPECT_TRUE(trace.Contains(u"注意：由於出現ReqOfflineInstall錯誤，聯機安裝進程重新開始！"));
  EXPECT_EQ(Count(trace, kInfRegistered), 2);
  EXPECT_EQ(BoxTexts().back(), u"Printer Quillon QX1 is ready on LPT1:.");
  EXPECT_NE(Machine().processes.Started().back().commandLine.find(u"/r \"LPT1:\""), ustring::npos);
}

TEST_F(RunTest, ASecondStagingThatFailsEndsTheRunAsCancelled) {
  Use64BitWindows();
  AttachPrinter(false);
  Program();
  Machine().devices.updateScenario = {sim::DriverUpdateOutcome::UserDeclines};
  Machine().spooler.PutDriver(kModel);
  Machine().spooler.PutPrinter(u"Office", kModel, u"USB001");
  // The probe runs between the two stagings: from then on no INF can be registered.
  sim::Machine& machine = Machine();
  auto host = sim::PrnSetup64Program(
      {machine.deviceLibraries, machine.files, machine.codePage, machine.dialogs, machine.windows});
  machine.processes.InstallProgram(u"PrnSetup64.exe", [host, &machine](const sim::ProcessStartInfo& start) {
    machine.infStore.copyFailure = winerr::AccessDenied;
    return host(start);
  });
  trace::Capture trace;
  Install();
  EXPECT_TRUE(trace.Contains(u"注意：註冊Inf文件失敗<2>，可能是用戶取消安裝！ byby"));
  EXPECT_EQ(BoxTexts().back(), u"Install cancelled.");
  EXPECT_EQ(Runner().FinalCode(), winerr::NoCatalogForOemInf);
  EXPECT_EQ(Runner().Completions(), 1);
  EXPECT_TRUE(Classic().controlsEnabled);
}

TEST_F(RunTest, TheChecksBeforeARunCanStopItBeforeAnythingHappens) {
  Program();
  Machine().dialogs.ScriptAnswers({sys::mb::IdNo});
  Install();
  EXPECT_EQ(BoxTexts(), std::vector<ustring>{u"Install now?"});
  EXPECT_TRUE(Machine().processes.Started().empty());
  EXPECT_FALSE(Machine().files.DirectoryExists(u"C:\\Program Files\\Quillon"));
  EXPECT_EQ(Runner().Completions(), 0);
  EXPECT_TRUE(Classic().controlsEnabled);

  // Nothing selected: Install starts nothing.
  Classic().Model().OnSelect(-1);
  EXPECT_FALSE(Classic().Model().StartInstall());
  EXPECT_EQ(Machine().dialogs.Boxes().size(), 1u);
}

TEST_F(RunTest, QuietModeAndARunWithoutPromptAskNothingFirst) {
  AddSettings("QuiteMode=1\r\nForceOnlineCheck=1\r\n");
  Install();
  EXPECT_EQ(BoxTexts(), std::vector<ustring>{u"Printer Quillon QX1 is ready on LPT1:."});
  EXPECT_EQ(Classic().searchWindowShown, 1);
}

// From the click on Install to the last box, the choice and the window are
// fixed: while the older driver's question is up, another model cannot be
// chosen, Install and Exit do nothing, and the run installs what was chosen.
TEST_F(RunTest, TheWindowIsLockedFromTheStartOfARunToItsLastBox) {
  AddSettings("MustUninstallForGDP=1.0.4\r\n[Quillon QX5]\r\nPrinterName=Quillon QX5\r\nPrinterHWID=QuillonQX5\r\n"
              "DriverDir=Driver\r\nINF.2K=QX1.INF\r\nINF.X64=QX1_64.INF\r\n");
  Program();
  WriteFile(Machine().files, u"C:\\Drivers\\old.gpd", "*GPDFileVersion: \"1.0.1\"\r\n");
  Machine().spooler.PutDriver(kModel, u"C:\\Drivers\\old.gpd");
  Machine().spooler.PutPrinter(u"Quillon QX1", kModel, u"LPT1:");
  Program().Values().strInstaller.InstallBeforeNeedUninstall = u"Delete the old driver?";
  Program().OpenWindow();
  ui::TFormMain& model = Classic().Model();
  int boxesSeen = 0;
  Machine().dialogs.whileShown = [&](const sim::SimDialogs::Shown&) {
    ++boxesSeen;
    model.OnSelect(1);
    EXPECT_EQ(model.SelectedIndex(), 0);
    EXPECT_FALSE(model.CloseAllowed());
    EXPECT_FALSE(model.StartInstall());
    EXPECT_FALSE(Classic().controlsEnabled);
  };
  Install();
  Machine().dialogs.whileShown = nullptr;
  EXPECT_EQ(boxesSeen, 3);  // the old driver, Install now?, the success
  EXPECT_EQ(BoxTexts()[0], u"Delete the old driver?");
  EXPECT_EQ(Runner().Installed().printer, kModel);
  EXPECT_TRUE(model.CloseAllowed());
  EXPECT_TRUE(Classic().controlsEnabled);
}

}  // namespace
}  // namespace prn::install
