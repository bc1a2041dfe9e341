// The plug-and-play route on 32-bit Windows, where the installer calls the
// library itself.

#include "install/online_install.h"

#include <gtest/gtest.h>

#include "detection_fixture.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {
namespace {

using namespace prn::testing;

class OnlineInstallTest : public DetectionTest {
 protected:
  OnlineInstallTest() : context(Context()) {}
  bool Install() { return PrinterOnLineInstall3264(platform, Settings(), *context, 0); }

  std::unique_ptr<InstallContext> context;
  trace::Capture trace;
};

TEST_F(OnlineInstallTest, InstallsForTheAttachedDeviceOnItsPort) {
  AttachPrinter();
  EXPECT_TRUE(Install());
  EXPECT_EQ(context->m_strDisConnectPort, u"USB001");
  EXPECT_EQ(context->m_strInstallPortName, u"USB001");
  EXPECT_EQ(context->m_dwLastErrorCode, 0u);
  EXPECT_EQ(context->m_InstallingProgress, TInstallProgress::IPInstalled);
  EXPECT_EQ(machine.devices.Find(kUsbInstanceId)->driverInf, "C:\\Package\\Driver\\QX1.INF");
  EXPECT_EQ(machine.devices.updateCalls.back().owner, kWindow);
  EXPECT_TRUE(trace.Contains(u"開始在32位Windows环境下开始安装打印机：Quillon QX1"));
  EXPECT_TRUE(trace.Contains(u"參數信息：Inf(C:\\Package\\Driver\\QX1.INF), HWID(QuillonQX17A3F), Port(USB001)"));
  EXPECT_TRUE(trace.Contains(u"Inst2k返回安裝成功，標誌 = 0"));
  EXPECT_TRUE(trace.Contains(u"****** InstallSpecPrinter2k聯機安裝已成功完成。******"));
  // The entry's AfterRun is left to the success handler: it runs once per install.
  EXPECT_TRUE(machine.shell.Executions().empty());
  EXPECT_TRUE(machine.processes.Started().empty());
}

TEST_F(OnlineInstallTest, ARestartRequestStillCountsAsSuccess) {
  AttachPrinter();
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::InstallNeedsRestart;
  EXPECT_TRUE(Install());
  EXPECT_TRUE(trace.Contains(u"Inst2k返回安裝成功，標誌 = 1"));
}

TEST_F(OnlineInstallTest, NoAssociatedServiceIsAFailureHere) {
  AttachPrinter();
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::NoAssociatedService;
  EXPECT_FALSE(Install());
  EXPECT_TRUE(trace.Contains(u"Inst2k安裝失敗，標誌 = -1"));
  EXPECT_TRUE(trace.Contains(u"InstallSpecPrinter2k聯機安裝不成功！！！"));
  EXPECT_EQ(context->m_InstallingProgress, TInstallProgress::IPInstalled);
}

TEST_F(OnlineInstallTest, AFailedInstallKeepsTheLibrarysErrorCodeOfTheSameLoad) {
  AttachPrinter();
  ProbeAnswers(winerr::NoCatalogForOemInf);
  EXPECT_FALSE(Install());
  EXPECT_EQ(context->m_dwLastErrorCode, winerr::NoCatalogForOemInf);
  EXPECT_EQ(machine.deviceLibraries.ActiveLoads(kInst2kDll), 0);
}

TEST_F(OnlineInstallTest, WithoutADeviceThePortIsLpt1) {
  EXPECT_FALSE(Install());
  EXPECT_EQ(context->m_strDisConnectPort, u"LPT1:");
  EXPECT_EQ(context->m_strInstallPortName, u"LPT1:");
  EXPECT_EQ(context->m_dwLastErrorCode, winerr::NoSuchDevinst);
}

TEST_F(OnlineInstallTest, WindowsBefore2000FailsAtOnce) {
  AttachPrinter();
  context->m_iWinVer = 45;
  context->m_strInstallPortName = u"kept";
  EXPECT_FALSE(Install());
  EXPECT_EQ(machine.deviceLibraries.TotalLoads(kInst2kDll), 0);
  EXPECT_EQ(context->m_strInstallPortName, u"kept");
  EXPECT_EQ(context->m_InstallingProgress, TInstallProgress::IPInstalling);
}

TEST_F(OnlineInstallTest, ALibraryWithoutTheInstallCallRaisesDllFileError) {
  AttachPrinter();
  machine.deviceLibraries.RemoveExport(kInst2kDll, "FuncInst2K");
  try {
    Install();
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"DllFileError");
  }
  EXPECT_TRUE(machine.devices.updateCalls.empty());
}

}  // namespace
}  // namespace prn::install
