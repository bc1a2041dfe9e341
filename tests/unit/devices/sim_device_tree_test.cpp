// The simulated device tree's driver install model and INF store.

#include <gtest/gtest.h>

#include "sim/machine.h"
#include "sim/threads.h"
#include "sys/win_errors.h"
#include "testing/test_files.h"

namespace prn::sim {
namespace {

constexpr const char* kInf = "C:\\Package\\Q.inf";

class SimDevices : public ::testing::Test {
 protected:
  SimDevices() {
    machine.devices.AddDevice({"USBPRINT\\Q\\1&USB001", {"USBPRINT\\QuillonQX17A3F", "QuillonQX17A3F"}, true, "", 0});
    testing::WriteFile(machine.files, u"C:\\Package\\Q.inf", kInfText);
  }
  // Through the device-installation services, as the library calls them.
  uint32_t Update(const std::string& id, uint32_t flags, bool infExists = true, const std::string& inf = kInf) {
    return machine.deviceInstall.UpdateDriverForDevices(0, id, infExists ? inf : "C:\\Package\\None.inf", flags,
                                                        restart);
  }

  static constexpr const char* kInfText = "[Version]\r\nClass=Printer\r\nDriverVer=01/15/2020,3.0.1.5\r\n";

  Machine machine;
  bool restart = true;
};

TEST_F(SimDevices, AddingADeviceRecordsItsEnumerationKey) {
  EXPECT_TRUE(machine.registry.KeyExists(u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\Q\\1&USB001"));
  EXPECT_TRUE((SimDevice{"ROOT\\PRINTER\\0000", {}, true, "", 0}).RootEnumerated());
  EXPECT_FALSE((SimDevice{"USBPRINT\\ROOT\\1", {}, true, "", 0}).RootEnumerated());
}

TEST_F(SimDevices, UpdateDriverInstallsForAMatchingAttachedDevice) {
  EXPECT_EQ(Update("quillonqx17a3f", 1), 0u) << "hardware IDs match without regard to case";
  EXPECT_FALSE(restart);
  EXPECT_EQ(machine.devices.Find("USBPRINT\\Q\\1&USB001")->driverInf, kInf);
  EXPECT_EQ(Update("QuillonQX17A3F", 4), winerr::NoMoreItems) << "not better than the driver in place";
  EXPECT_EQ(Update("QuillonQX17A3F", 1), 0u) << "force installs it again";
  machine.devices.updateScenario.outcome = DriverUpdateOutcome::InstallNeedsRestart;
  EXPECT_EQ(Update("QuillonQX17A3F", 1), 0u);
  EXPECT_TRUE(restart);
}

// The INF store's copy of the INF in place is the same driver, however its
// path is spelt; another INF is another driver even under the same name.
TEST_F(SimDevices, TheDriverInPlaceIsKnownByWhatItIsNotByItsPath) {
  ASSERT_EQ(Update("QuillonQX17A3F", 1), 0u);
  testing::WriteFile(machine.files, u"C:\\Windows\\inf\\oem3.inf", kInfText);
  EXPECT_EQ(Update("QuillonQX17A3F", 4, true, "C:\\Windows\\inf\\oem3.inf"), winerr::NoMoreItems);
  EXPECT_EQ(Update("QuillonQX17A3F", 4, true, "c:\\Package\\Sub\\..\\Q.inf"), winerr::NoMoreItems);
  testing::WriteFile(machine.files, u"C:\\Other\\Q.inf", "[Version]\r\nDriverVer=02/01/2021,3.1.0.0\r\n");
  EXPECT_EQ(Update("QuillonQX17A3F", 4, true, "C:\\Other\\Q.inf"), 0u);
  EXPECT_EQ(machine.devices.Find("USBPRINT\\Q\\1&USB001")->driverInf, "C:\\Other\\Q.inf");
}

// A 32-bit program on 64-bit Windows can neither load a 64-bit library nor
// install a device's driver itself; the 64-bit host can do both.
TEST_F(SimDevices, On64BitWindowsThe32BitCallerGetsTheWow64Answers) {
  machine.system.wow64 = true;
  testing::WriteFile(machine.files, u"C:\\Work\\inst2k.dll", "MZ");
  testing::WriteFile(machine.files, u"C:\\Work\\inst2k64.dll", "MZ");
  EXPECT_EQ(Update("QuillonQX17A3F", 4), winerr::InWow64);
  EXPECT_EQ(machine.deviceLibraries.Load(u"C:\\Work\\inst2k64.dll").error, winerr::BadExeFormat);
  EXPECT_TRUE(machine.deviceLibraries.Load(u"C:\\Work\\inst2k.dll").library);

  As64BitProcess host;
  EXPECT_EQ(Update("QuillonQX17A3F", 4), 0u);
  EXPECT_TRUE(machine.deviceLibraries.Load(u"C:\\Work\\inst2k64.dll").library);
  EXPECT_EQ(machine.deviceLibraries.Load(u"C:\\Work\\inst2k.dll").error, winerr::BadExeFormat);
}

TEST_F(SimDevices, UpdateDriverAnswersTheCodesTheInstallerReads) {
  EXPECT_EQ(Update("QuillonQX17", 4), winerr::NoSuchDevinst) << "whole IDs only";
  EXPECT_EQ(Update("QuillonQX17A3F", 4, false), winerr::FileNotFound);
  machine.devices.updateScenario.outcome = DriverUpdateOutcome::UserDeclines;
  EXPECT_EQ(Update("QuillonQX17A3F", 4), winerr::NoCatalogForOemInf);
  machine.devices.updateScenario.outcome = DriverUpdateOutcome::NoAssociatedService;
  EXPECT_EQ(Update("QuillonQX17A3F", 4), winerr::NoAssociatedService);
  machine.devices.updateScenario = {DriverUpdateOutcome::Fail, winerr::TrustNoSignature};
  EXPECT_EQ(Update("QuillonQX17A3F", 4), winerr::TrustNoSignature);
  EXPECT_EQ(machine.devices.Find("USBPRINT\\Q\\1&USB001")->driverInf, "");
  machine.devices.Find("USBPRINT\\Q\\1&USB001")->attached = false;
  machine.devices.updateScenario = {};
  EXPECT_EQ(Update("QuillonQX17A3F", 4), winerr::NoSuchDevinst) << "a detached printer is no match";
  EXPECT_EQ(machine.devices.updateCalls.size(), 6u);
}

TEST_F(SimDevices, TheInfStoreHandsOutTheNextFreeOemNameAndReusesIdenticalCopies) {
  testing::WriteFile(machine.files, u"C:\\Package\\A.inf", "[Version]\r\n;A");
  testing::WriteFile(machine.files, u"C:\\Package\\B.inf", "[Version]\r\n;B");
  ustring stored;
  ASSERT_EQ(machine.infStore.Copy(u"C:\\Package\\A.inf", u"C:\\Package\\", stored), 0u);
  EXPECT_EQ(stored, u"C:\\Windows\\INF\\oem0.inf");
  EXPECT_TRUE(machine.files.FileExists(u"C:\\Windows\\INF\\oem0.pnf"));
  ASSERT_EQ(machine.infStore.Copy(u"C:\\Package\\B.inf", std::nullopt, stored), 0u);
  EXPECT_EQ(stored, u"C:\\Windows\\INF\\oem1.inf");
  ASSERT_EQ(machine.infStore.Copy(u"C:\\Package\\A.inf", std::nullopt, stored), 0u);
  EXPECT_EQ(stored, u"C:\\Windows\\INF\\oem0.inf");
  EXPECT_EQ(machine.infStore.Copy(u"C:\\Package\\C.inf", std::nullopt, stored), winerr::FileNotFound);
  machine.infStore.copyFailure = winerr::AccessDenied;
  EXPECT_EQ(machine.infStore.Copy(u"C:\\Package\\B.inf", std::nullopt, stored), winerr::AccessDenied);
}

}  // namespace
}  // namespace prn::sim
