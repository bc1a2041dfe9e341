#include "install/device_library_calls.h"

#include <gtest/gtest.h>

#include <future>

#include "detection_fixture.h"
#include "install/hardware_refresh_thread.h"
#include "install/inst2k_session.h"
#include "sys/win_errors.h"
#include "testing/test_files.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {
namespace {

using namespace prn::testing;

class FindExistDeviceTest : public DetectionTest {
 protected:
  bool Find(bool refreshFirst = false) {
    return FindExistDevice(platform, kInst2kDll, kHardwareId, foundHardwareId, port, refreshFirst);
  }

  ustring foundHardwareId = u"unset";
  ustring port = u"unset";
  trace::Capture trace;
};

TEST_F(FindExistDeviceTest, TheUsbPortComesFromTheInstanceId) {
  AttachPrinter(kUsbInstanceId);
  EXPECT_TRUE(Find());
  EXPECT_EQ(port, u"USB001");
  EXPECT_EQ(foundHardwareId, u"USBPRINT\\QuillonQX17A3F");  // the device's first ID
  EXPECT_TRUE(trace.Contains(u"FuncFindExistDevice返回IDAndPort = USBPRINT\\QUILLONQX17A3F\\7&2A3B&0&USB001"));
  EXPECT_TRUE(trace.Contains(u"確定打印機端口字符串為：USB001"));
  EXPECT_EQ(machine.devices.reenumerations, 0);
  EXPECT_EQ(machine.deviceLibraries.ActiveLoads(kInst2kDll), 0);
}

TEST_F(FindExistDeviceTest, TheParallelPortGetsItsColon) {
  AttachPrinter(kLptInstanceId);
  EXPECT_TRUE(Find());
  EXPECT_EQ(port, u"LPT1:");
}

TEST_F(FindExistDeviceTest, RefreshingFirstReReadsTheDeviceTreeAndPauses) {
  AttachPrinter(kUsbInstanceId);
  EXPECT_TRUE(Find(true));
  EXPECT_EQ(machine.devices.reenumerations, 1);
  EXPECT_EQ(machine.system.SleptMilliseconds(), 100u);
  EXPECT_TRUE(trace.Contains(u"RefreshHW Begin ......"));
  EXPECT_TRUE(trace.Contains(u"RefreshHW End !"));
}

TEST_F(FindExistDeviceTest, NoDeviceOrNoSearchExportMeansNoPort) {
  EXPECT_FALSE(Find());
  EXPECT_EQ(port, u"");
  EXPECT_EQ(foundHardwareId, u"");

  AttachPrinter(kUsbInstanceId);
  machine.deviceLibraries.RemoveExport(kInst2kDll, "FuncFindExistDevice");
  port = u"unset";
  EXPECT_FALSE(Find());
  EXPECT_EQ(port, u"");
  EXPECT_FALSE(trace.Contains(u"FuncFindExistDevice返回IDAndPort = USBPRINT\\QUILLONQX17A3F\\7&2A3B&0&USB001"));
}

TEST_F(FindExistDeviceTest, ALibraryThatCannotBeLoadedRaisesButARefreshStaysSilent) {
  machine.deviceLibraries.FailLoad(kInst2kDll, winerr::ModNotFound);
  EXPECT_THROW(Find(), Error);
  EXPECT_NO_THROW(RefreshSystemHW(platform, kInst2kDll));
  EXPECT_FALSE(trace.Contains(u"RefreshHW Begin ......"));
  try {
    SetShowErrorCode(platform, kInst2kDll, false);
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"DllNotFound :\r\n" + ustring(kInst2kDll));
  }
}

// The UI thread starts the refresh; a slow one must not freeze it on the
// next start, and the later start still gets its pass.
TEST_F(FindExistDeviceTest, ANewRefreshNeverWaitsForTheRunningOneAndTheOwnerJoinsIt) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  machine.devices.duringReenumeration = [released] { released.wait(); };
  {
    HardwareRefreshThread owner;
    RefreshSystemHW_Thread(owner, platform, kInst2kDll);
    auto second = std::async(std::launch::async, [&] { RefreshSystemHW_Thread(owner, platform, kInst2kDll); });
    const bool returned = second.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    release.set_value();
    EXPECT_TRUE(returned) << "the second start waited for the running refresh";
  }
  EXPECT_EQ(machine.devices.reenumerations, 2);
  EXPECT_EQ(machine.deviceLibraries.ActiveLoads(kInst2kDll), 0);
}

TEST_F(FindExistDeviceTest, ShowErrorCodeSwitchesTheBoxesOfLoadsThatOverlapIt) {
  // Another load keeps the module, so the switch outlives SetShowErrorCode's own load.
  Inst2kSession held(*platform.deviceLibraries, *platform.lastError, kInst2kDll);
  SetShowErrorCode(platform, kInst2kDll, true);
  held.Install("C:\\Package\\missing.inf", "QuillonQX17A3F", "LPT1:", kWindow);
  EXPECT_EQ(machine.deviceInstall.MessageBoxes().size(), 1u);
  SetShowErrorCode(platform, kInst2kDll, false);
  held.Install("C:\\Package\\missing.inf", "QuillonQX17A3F", "LPT1:", kWindow);
  EXPECT_EQ(machine.deviceInstall.MessageBoxes().size(), 1u);
}

TEST_F(FindExistDeviceTest, TheLastInstallErrorCodeIsOneWithoutLoadOrExport) {
  Inst2kSession notLoaded(*platform.deviceLibraries, *platform.lastError, u"C:\\Work\\missing.dll");
  EXPECT_EQ(GetLastInstallErrorCode(notLoaded), 1u);

  AttachPrinter(kUsbInstanceId);
  machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, winerr::AccessDenied};
  Inst2kSession library(*platform.deviceLibraries, *platform.lastError, kInst2kDll);
  library.Install("C:\\Package\\Driver\\QX1.INF", "QuillonQX17A3F", "USB001", kWindow);
  EXPECT_EQ(GetLastInstallErrorCode(library), winerr::AccessDenied);

  machine.deviceLibraries.RemoveExport(u"C:\\Work\\other\\inst2k.dll", "LastInstallErrorCode");
  prn::testing::WriteFile(machine.files, u"C:\\Work\\other\\inst2k.dll", "MZ");
  Inst2kSession withoutExport(*platform.deviceLibraries, *platform.lastError, u"C:\\Work\\other\\inst2k.dll");
  EXPECT_EQ(GetLastInstallErrorCode(withoutExport), 1u);
}

}  // namespace
}  // namespace prn::install
