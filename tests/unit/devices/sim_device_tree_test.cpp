// The simulated device tree's driver install model and INF store.

#include <gtest/gtest.h>

#include "sys/sim/machine.h"
#include "sys/win_errors.h"
#include "testing/test_files.h"

namespace prn::sim {
namespace {

constexpr const char* kInf = "C:\\Package\\Q.inf";

class SimDevices : public ::testing::Test {
 protected:
  SimDevices() {
    machine.devices.AddDevice({"USBPRINT\\Q\\1&USB001", {"USBPRINT\\QuillonQX17A3F", "QuillonQX17A3F"}, true, "", 0});
  }
  uint32_t Update(const std::string& id, uint32_t flags, bool infExists = true) {
    return machine.devices.UpdateDriver(0, id, kInf, infExists, flags, restart);
  }

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
