// Whole install runs on the simulated machine, one per route, on 32-bit and
// on 64-bit Windows: each ends in exactly one completion with the queue on
// the port the route settles.

#include <gtest/gtest.h>

#include "run_fixture.h"
#include "spooler/printer_update.h"
#include "sys/dialogs.h"
#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn::install {
namespace {

using namespace prn::testing;

class InstallRouteTest : public RunTest, public ::testing::WithParamInterface<bool> {
 protected:
  InstallRouteTest() {
    if (GetParam()) Use64BitWindows();
  }

  int PrinterUiStarts() {
    int count = 0;
    for (const auto& start : Machine().processes.Started()) count += start.commandLine.find(u"rundll32") != ustring::npos;
    return count;
  }
  std::optional<ustring> Default() {
    ustring name;
    return spooler::GetDefaultPrinterName(Machine().spooler, name) ? std::optional(name) : std::nullopt;
  }
  // One completion, the user saw `lastBox`, and the window is back.
  void ExpectOneSuccess(const ustring& lastBox) {
    EXPECT_EQ(Runner().Completions(), 1);
    EXPECT_EQ(Runner().FinalCode(), 0u);
    ASSERT_FALSE(BoxTexts().empty());
    EXPECT_EQ(BoxTexts().back(), lastBox);
    EXPECT_EQ(Machine().dialogs.Boxes().back().flags, sys::mb::IconInformation);
    EXPECT_EQ(Machine().dialogs.Boxes().back().owner, kWindow);
    EXPECT_EQ(Runner().Progress(), TInstallProgress::IPInstalled);
    EXPECT_TRUE(Classic().controlsEnabled);
    EXPECT_FALSE(Classic().watchdogOn);
  }
};

INSTANTIATE_TEST_SUITE_P(Bitness, InstallRouteTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Windows64" : "Windows32"; });

TEST_P(InstallRouteTest, APrinterWhoseDriverTheProbeInstalledIsTakenAsFound) {
  AttachPrinter(false);
  Install();
  ExpectOneSuccess(u"Printer Quillon QX1 is ready on USB001.");
  EXPECT_EQ(Machine().spooler.FindPrinter(kModel)->pPortName, u"USB001");
  EXPECT_EQ(Default(), ustring(kModel));
  EXPECT_EQ(PrinterUiStarts(), 0);
  EXPECT_EQ(HostInstallStarts(), 0);
}

// On 64-bit Windows the host's 0x402 to the window's own handle is the
// report, not the watchdog's finding that the host has ended.
TEST_P(InstallRouteTest, AnAttachedPrinterIsInstalledThroughPlugAndPlayOnly) {
  AttachPrinter(true);
  trace::Capture trace;
  Install();
  ExpectOneSuccess(u"Printer Quillon QX1 is ready on USB001.");
  EXPECT_EQ(Machine().spooler.FindPrinter(kModel)->pPortName, u"USB001");
  EXPECT_EQ(Default(), ustring(kModel));
  // No offline install races the host's.
  EXPECT_EQ(PrinterUiStarts(), 0);
  EXPECT_FALSE(Machine().spooler.FindPrinter(u"Quillon QX1 (Copy 2)"));
  EXPECT_EQ(HostInstallStarts(), GetParam() ? 1 : 0);
  EXPECT_FALSE(trace.Contains(u"64位安裝進程已結束，但沒有報告結果。"));
  if (GetParam()) {
    ASSERT_EQ(Machine().windows.Sent().size(), 1u);
    EXPECT_EQ(Machine().windows.Sent()[0].window, kWindow);
    EXPECT_EQ(Machine().windows.Sent()[0].message, 0x402u);
  }
}

TEST_P(InstallRouteTest, WithoutAPrinterTheQueueIsCreatedOfflineOnLpt1) {
  Install();
  ExpectOneSuccess(u"Printer Quillon QX1 is ready on LPT1:.");
  EXPECT_EQ(Machine().spooler.FindPrinter(kModel)->pPortName, u"LPT1:");
  EXPECT_EQ(Default(), std::nullopt);  // offline and not AlwaysSetDefault
  EXPECT_EQ(PrinterUiStarts(), 1);
  EXPECT_EQ(BoxTexts().front(), u"Install now?");
}

TEST_P(InstallRouteTest, AnAbsentPrinterWithAFreeUsbPortOfTheModelIsInstalledOnThatPort) {
  Machine().usb.Attach("USB003", "MFG:Quillon;MDL:QX1;CID:QuillonQX17A3F;");
  Machine().spooler.PutPort(u"USB003", u"USB Monitor");
  Install();
  ExpectOneSuccess(u"Printer Quillon QX1 is ready on USB003.");
  EXPECT_EQ(Machine().spooler.FindPrinter(kModel)->pPortName, u"USB003");
}

// A failed plug-and-play install, by the library or by the host, is followed
// by the offline route: the queue is made on LPT1: and then moved to the
// port where the printer is attached.
TEST_P(InstallRouteTest, AFailedPlugAndPlayInstallIsFollowedByTheOfflineRoute) {
  AttachPrinter(true);
  HostDoes("fail");
  Install();
  ExpectOneSuccess(u"Printer Quillon QX1 is ready on USB001.");
  EXPECT_EQ(PrinterUiStarts(), 1);
  EXPECT_EQ(HostInstallStarts(), GetParam() ? 1 : 0);
  const auto& started = Machine().processes.Started();
  EXPECT_NE(started.back().commandLine.find(u"/r \"LPT1:\""), ustring::npos);
}

TEST_F(RunTest, AHostThatCannotStartLeadsToTheOfflineRouteOnLpt1) {
  Use64BitWindows();
  AttachPrinter(true);
  HostDoes("nostart");
  Install();
  EXPECT_EQ(Runner().Completions(), 1);
  EXPECT_EQ(Runner().FinalCode(), 0u);
  EXPECT_EQ(BoxTexts().back(), u"Printer Quillon QX1 is ready on USB001.");
  EXPECT_EQ(HostInstallStarts(), 0);
  EXPECT_EQ(Classic().watchdogTicks, 0);
  const auto& started = Machine().processes.Started();
  EXPECT_NE(started.back().commandLine.find(u"/r \"LPT1:\""), ustring::npos);
}

// The port where an earlier run found its printer says nothing about a
// later run: a DefaultPort that is no port leaves the new queue where the
// printer UI put it.
TEST_F(RunTest, APortFoundByAnEarlierRunIsNotTakenByTheNextOne) {
  AttachPrinter(true);
  AddSettings("DefaultPort=NOSUCHPORT:\r\n");
  Install();
  ASSERT_EQ(Runner().Installed().port, u"USB001");

  // The printer goes away, and so does its queue.
  Machine().devices.Find("USBPRINT\\QuillonQX17A3F\\1&1&0&USB001")->attached = false;
  const sys::PRINTER_DEFAULTSW administer{std::nullopt, std::nullopt, sys::spool::PrinterAllAccess};
  ASSERT_TRUE(Machine().spooler.OpenPrinterHandle(kModel, &administer)->DeleteQueue());
  Install();
  const auto queue = Machine().spooler.FindPrinter(kModel);
  ASSERT_TRUE(queue) << ToUtf8(BoxTexts().back());
  EXPECT_EQ(queue->pPortName, u"LPT1:");
  EXPECT_EQ(BoxTexts().back(), u"Printer Quillon QX1 is ready on LPT1:.");
}

TEST_F(RunTest, ALateOrSecondHostMessageRunsNoSecondCompletion) {
  Use64BitWindows();
  AttachPrinter(true);
  Install();
  ASSERT_EQ(Runner().Completions(), 1);
  const size_t boxes = Machine().dialogs.Boxes().size();
  Machine().windows.Send(kWindow, 0x402, 0, 0);
  Machine().windows.Send(kWindow, 0x401, 0, winerr::AccessDenied);
  Machine().uiThread.RunPending();
  EXPECT_EQ(Runner().Completions(), 1);
  EXPECT_EQ(Machine().dialogs.Boxes().size(), boxes);
}

TEST_F(RunTest, TheProgressWindowIgnoresTheHostsMessagesAndLearnsFromItsEnd) {
  AddSettings("ViewMode=20\r\n");
  Use64BitWindows();
  AttachPrinter(true);
  Install();
  EXPECT_EQ(Runner().Completions(), 1);
  EXPECT_EQ(BoxTexts(), std::vector<ustring>{u"Printer Quillon QX1 is ready on USB001."});
  ASSERT_EQ(Machine().windows.Sent().size(), 1u);
  EXPECT_EQ(Machine().windows.Sent()[0].message, 0x402u);
  EXPECT_GE(Progress().watchdogTicks, 1);
  EXPECT_TRUE(Progress().finished);
  EXPECT_EQ(Progress().closed, 1);
}

}  // namespace
}  // namespace prn::install
