#include "install/device_detection.h"

#include <gtest/gtest.h>

#include "detection_fixture.h"
#include "install/install_context.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {
namespace {

using namespace prn::testing;

constexpr char16_t kFollowUpTrace[] = u"準備檢查檢測到的端口（USB001）是否曾聯機安裝。";

class ExistReqInlineSetupDeviceTest : public DetectionTest {
 protected:
  uint32_t Detect() {
    return ExistReqInlineSetupDevice(platform, kWindow, kInst2kDll, kHostExe, kInst2k64Dll, kHardwareId, kInf,
                                     kModel, driverFoundInstalled);
  }

  bool driverFoundInstalled = true;
  trace::Capture trace;
};

TEST_F(ExistReqInlineSetupDeviceTest, AnInstalledDriverIsReportedAsFoundWithoutFollowUp) {
  AttachPrinter();
  PutQueue(u"Quillon QX1", u"USB001");
  EXPECT_EQ(Detect(), 0u);
  EXPECT_TRUE(driverFoundInstalled);
  EXPECT_TRUE(trace.Contains(u"恭喜，在檢測過程中發現已經完成驅動安裝。"));
  EXPECT_FALSE(trace.Contains(kFollowUpTrace));
  // The probe is the library's, with the non-interactive flag and the INF as given.
  ASSERT_EQ(machine.devices.updateCalls.size(), 1u);
  EXPECT_EQ(machine.devices.updateCalls[0].flags, 4u);
  EXPECT_EQ(machine.devices.updateCalls[0].infPath, "C:\\Package\\Driver\\QX1.INF");
  EXPECT_EQ(machine.devices.updateCalls[0].owner, kWindow);
}

TEST_F(ExistReqInlineSetupDeviceTest, CodesOfAnAttachedDeviceRunTheFollowUpCheckExcept0x103) {
  AttachPrinter();
  for (uint32_t code : {2u, 5u, 0xE000022Fu, 0x800B0100u}) {
    ProbeAnswers(code);
    trace::Capture codeTrace;
    EXPECT_EQ(Detect(), 0u) << code;
    EXPECT_FALSE(driverFoundInstalled);
    EXPECT_TRUE(codeTrace.Contains(Format(u"根據檢測到的信息判定設備可能已聯機（0x%x）。", {code}))) << code;
    EXPECT_TRUE(codeTrace.Contains(kFollowUpTrace)) << code;
  }
  // 0x103: the driver from this very INF is on the device already; no follow-up.
  machine.devices.Find(kUsbInstanceId)->driverInf = "C:\\Package\\Driver\\QX1.INF";
  machine.devices.updateScenario = {};
  PutQueue(u"Quillon QX1", u"USB001");
  trace::Capture noMoreItems;
  EXPECT_EQ(Detect(), 0u);
  EXPECT_FALSE(driverFoundInstalled);
  EXPECT_TRUE(noMoreItems.Contains(u"根據檢測到的信息判定設備可能已聯機（0x103）。"));
  EXPECT_FALSE(noMoreItems.Contains(kFollowUpTrace));
}

TEST_F(ExistReqInlineSetupDeviceTest, AnOnlineQueueOfTheModelOnTheDevicesPortAsksForTheOfflineRoute) {
  AttachPrinter();
  ProbeAnswers(winerr::AccessDenied);
  PutQueue(u"Other printer", u"USB001", true, u"Other Driver");
  PutQueue(u"Quillon QX1 (Copy 1)", u"usb001", true, u"quillon qx1");
  EXPECT_EQ(Detect(), ReqOfflineInstall);
  EXPECT_TRUE(trace.Contains(u"打印機（Quillon QX1 (Copy 1)）已經使用相同端口，應該已經聯機安裝過。"));
}

TEST_F(ExistReqInlineSetupDeviceTest, AnOnlineQueueOfTheModelOnAnyUsbPortAsksForTheOfflineRoute) {
  AttachPrinter(kLptInstanceId);
  ProbeAnswers(winerr::FileNotFound);
  PutQueue(u"Quillon QX1", u"USB003");
  EXPECT_EQ(Detect(), ReqOfflineInstall);
  EXPECT_TRUE(trace.Contains(u"準備檢查檢測到的端口（LPT1:）是否曾聯機安裝。"));
  EXPECT_TRUE(trace.Contains(u"當前USB打印機驅動程序聯機，可能曾經聯機安裝過！！！！！！"));
}

TEST_F(ExistReqInlineSetupDeviceTest, OfflineQueuesAndLowerCaseUsbPortsOfOtherDevicesDoNotCount) {
  AttachPrinter(kLptInstanceId);
  ProbeAnswers(winerr::FileNotFound);
  PutQueue(u"Quillon QX1", u"LPT1:", false);       // the device's port, but set to work offline
  PutQueue(u"Quillon QX1 (Copy 1)", u"usb003");   // "USB" is compared with its case here
  EXPECT_EQ(Detect(), 0u);
  EXPECT_TRUE(trace.Contains(u"準備檢查檢測到的端口（LPT1:）是否曾聯機安裝。"));
}

TEST_F(ExistReqInlineSetupDeviceTest, ADeviceThatIsNotAttachedGivesTheProbesCode) {
  AttachPrinter(kUsbInstanceId, false);
  PutQueue(u"Quillon QX1", u"USB001");
  EXPECT_EQ(Detect(), winerr::NoSuchDevinst);
  EXPECT_FALSE(driverFoundInstalled);
  EXPECT_TRUE(trace.Contains(u"檢測到設備不存在，調用ExistInlineDevice錯誤值：0xe000020b"));
  EXPECT_FALSE(trace.Contains(kFollowUpTrace));
}

TEST_F(ExistReqInlineSetupDeviceTest, ALibraryWithoutTheProbeEndsDetectionWithDllFileError) {
  AttachPrinter();
  machine.deviceLibraries.RemoveExport(kInst2kDll, "Inst2k_IsInlineDeviceExist");
  try {
    Detect();
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"DllFileError");
  }
  EXPECT_TRUE(machine.devices.updateCalls.empty());
  // Also on 64-bit Windows, where the host would probe: the library is damaged.
  Use64BitWindows();
  EXPECT_THROW(Detect(), Error);
  EXPECT_TRUE(machine.processes.Started().empty());
  EXPECT_EQ(machine.deviceLibraries.ActiveLoads(kInst2kDll), 0);
}

TEST_F(ExistReqInlineSetupDeviceTest, ALibraryThatCannotBeLoadedIsNamed) {
  machine.deviceLibraries.FailLoad(kInst2kDll, winerr::ModNotFound);
  try {
    Detect();
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"DllNotFound :\r\n" + ustring(kInst2kDll));
  }
}

}  // namespace
}  // namespace prn::install
