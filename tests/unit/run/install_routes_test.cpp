// Whole install runs on the simulated machine, one per route, on 32-bit and
// on 64-bit Windows: each ends in exactly one completion with the queue on
// the port the route settles.

#include <gtest/gtest.h>

#include "run_fixture.h"
#include "spooler/default_printer.h"
#include "sys/dialogs.h"
#include "sys/win_errors.h"

namespace prn::install {
namespace {

using namespace prn::testing;

class InstallRouteTest : public RunTest, public ::testing::WithParamInterface<bool> {
 protected:
  InstallRouteTest() {
    if (GetParam()) Use64BitWindows();
  }

  int Starts(ustring_view program) const {
    int count = 0;
    for (const auto& start : machine.processes.Started()) {
      count += program == kHostInstallCommand ? start.commandLine == program
                                              : start.commandLine.find(program) != ustring::npos;
    }
    return count;
  }
  std::optional<ustring> Default() {
    ustring name;
    return spooler::GetDefaultPrinterName(machine.spooler, name) ? std::optional(name) : std::nullopt;
  }
  // One completion, the user saw `lastBox`, and the window is back.
  void ExpectOneSuccess(const ustring& lastBox) {
    EXPECT_EQ(Run().Completions(), 1);
    EXPECT_EQ(Run().FinalCode(), 0u);
    ASSERT_FALSE(BoxTexts().empty());
    EXPECT_EQ(BoxTexts().back(), lastBox);
    EXPECT_EQ(machine.dialogs.Boxes().back().flags, sys::mb::IconInformation);
    EXPECT_EQ(context.m_InstallingProgress, TInstallProgress::IPInstalled);
    EXPECT_TRUE(window.controlsEnabled);
    EXPECT_FALSE(window.watchdogOn);
  }
};

INSTANTIATE_TEST_SUITE_P(Bitness, InstallRouteTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Windows64" : "Windows32"; });

TEST_P(InstallRouteTest, APrinterWhoseDriverTheProbeInstalledIsTakenAsFound) {
  AttachPrinter(false);
  Install();
  ExpectOneSuccess(u"Printer Quillon QX1 is ready on USB001.");
  EXPECT_EQ(machine.spooler.FindPrinter(kModel)->pPortName, u"USB001");
  EXPECT_EQ(Default(), ustring(kModel));
  EXPECT_EQ(Starts(u"rundll32"), 0);
  EXPECT_EQ(Starts(kHostInstallCommand), 0);
}

TEST_P(InstallRouteTest, AnAttachedPrinterIsInstalledThroughPlugAndPlayOnly) {
  AttachPrinter(true);
  Install();
  ExpectOneSuccess(u"Printer Quillon QX1 is ready on USB001.");
  EXPECT_EQ(machine.spooler.FindPrinter(kModel)->pPortName, u"USB001");
  EXPECT_EQ(Default(), ustring(kModel));
  // No offline install races the host's.
  EXPECT_EQ(Starts(u"rundll32"), 0);
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Quillon QX1 (Copy 2)"));
  EXPECT_EQ(Starts(kHostInstallCommand), GetParam() ? 1 : 0);
}

TEST_P(InstallRouteTest, WithoutAPrinterTheQueueIsCreatedOfflineOnLpt1) {
  Install();
  ExpectOneSuccess(u"Printer Quillon QX1 is ready on LPT1:.");
  EXPECT_EQ(machine.spooler.FindPrinter(kModel)->pPortName, u"LPT1:");
  EXPECT_EQ(Default(), std::nullopt);  // offline and not AlwaysSetDefault
  EXPECT_EQ(Starts(u"rundll32"), 1);
  EXPECT_EQ(BoxTexts().front(), u"Install now?");
}

TEST_P(InstallRouteTest, AnAbsentPrinterWithAFreeUsbPortOfTheModelIsInstalledOnThatPort) {
  machine.usb.Attach("USB003", "MFG:Quillon;MDL:QX1;CID:QuillonQX17A3F;");
  machine.spooler.PutPort(u"USB003", u"USB Monitor");
  Install();
  ExpectOneSuccess(u"Printer Quillon QX1 is ready on USB003.");
  EXPECT_EQ(machine.spooler.FindPrinter(kModel)->pPortName, u"USB003");
}

TEST_F(RunTest, On64BitWindowsAFailedHostIsFollowedByTheOfflineRoute) {
  Use64BitWindows();
  AttachPrinter(true);
  machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, winerr::AccessDenied};
  Install();
  EXPECT_EQ(Run().Completions(), 1);
  // Created on LPT1:, then moved to the port where the printer is attached.
  EXPECT_EQ(BoxTexts().back(), u"Printer Quillon QX1 is ready on USB001.");
  const auto& started = machine.processes.Started();
  ASSERT_EQ(started.size(), 3u);  // probe, install, then printui
  EXPECT_EQ(started[1].commandLine, kHostInstallCommand);
  EXPECT_NE(started[2].commandLine.find(u"/r \"LPT1:\""), ustring::npos);
}

TEST_F(RunTest, ALateOrSecondHostMessageRunsNoSecondCompletion) {
  Use64BitWindows();
  AttachPrinter(true);
  Install();
  ASSERT_EQ(Run().Completions(), 1);
  const size_t boxes = machine.dialogs.Boxes().size();
  machine.windows.Send(kWindow, 0x402, 0, 0);
  machine.windows.Send(kWindow, 0x401, 0, winerr::AccessDenied);
  session->Queue().Drain();
  EXPECT_EQ(Run().Completions(), 1);
  EXPECT_EQ(machine.dialogs.Boxes().size(), boxes);
}

TEST_F(RunTest, TheProgressWindowIgnoresTheHostsMessagesAndLearnsFromItsEnd) {
  Use64BitWindows();
  AttachPrinter(true);
  Install(InstallPolicy::ProgressWindow());
  EXPECT_EQ(Run().Completions(), 1);
  EXPECT_EQ(BoxTexts(), std::vector<ustring>{u"Printer Quillon QX1 is ready on USB001."});
  ASSERT_EQ(machine.windows.Sent().size(), 1u);
  EXPECT_EQ(machine.windows.Sent()[0].message, 0x402u);
  EXPECT_GE(window.watchdogTicks, 1);
  EXPECT_TRUE(window.finished);
  EXPECT_EQ(window.closed, 1);
}

}  // namespace
}  // namespace prn::install
