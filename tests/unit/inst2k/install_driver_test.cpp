// Installing a driver for a hardware ID, the probe, INF registration and
// device re-enumeration.

#include <gtest/gtest.h>

#include "inst2k_fixture.h"
#include "sys/win_errors.h"

namespace prn::testing {
namespace {

class InstallDriver : public Inst2kTest {
 protected:
  InstallDriver() : load_(Load()), exports_(load_.library->Exports()) { AddUsbPrinter(); }

  int32_t Install(const char* inf, const char* hardwareId = "QuillonQX17A3F") {
    return exports_.FuncInst2K(inf, hardwareId, "USB001", 0x1234);
  }
  // Leaves a known failure code recorded in the module.
  void RecordEarlierFailure() {
    machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, winerr::AccessDenied};
    ASSERT_EQ(Install(infPath_.c_str()), 2);
    ASSERT_EQ(exports_.LastInstallErrorCode(), winerr::AccessDenied);
    machine.devices.updateScenario = {};
  }
  ustring CodePage936(const std::string& bytes) {
    sim::SimCodePage chinese(936);
    return chinese.FromAnsi(bytes);
  }

  sys::DeviceLibraryLoad load_;
  const sys::Inst2kExports& exports_;
  const std::string infPath_ = ToUtf8(kInf);
};

TEST_F(InstallDriver, InstallsForTheMatchingDeviceWithTheFullInfPathAndForce) {
  machine.files.SetCurrentDirectory(u"C:\\Package");
  EXPECT_EQ(Install("Quillon.inf"), 0);
  ASSERT_EQ(machine.devices.updateCalls.size(), 1u);
  const auto& call = machine.devices.updateCalls[0];
  EXPECT_EQ(call.infPath, infPath_);
  EXPECT_EQ(call.hardwareId, "QuillonQX17A3F");
  EXPECT_EQ(call.flags, 1u);
  EXPECT_EQ(call.owner, 0x1234u);
  EXPECT_EQ(machine.devices.Find(kUsbInstance)->driverInf, infPath_);

  auto lines = machine.deviceInstall.DebugLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "QuillonQX17A3F");
  EXPECT_EQ(lines[1], infPath_);
  EXPECT_EQ(CodePage936(lines[2]), u"Update Driver For PlugAndPlay Devices 聯機安裝成功。");
  EXPECT_TRUE(machine.deviceInstall.MessageBoxes().empty());
}

TEST_F(InstallDriver, ARestartRequestGivesOne) {
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::InstallNeedsRestart;
  EXPECT_EQ(Install(infPath_.c_str()), 1);
  EXPECT_EQ(CodePage936(machine.deviceInstall.DebugLines().back()),
            u"Update Driver For PlugAndPlay Devices 聯機安裝成功，需要啟動Windows。");
}

TEST_F(InstallDriver, ADirectoryOrAMissingInfGivesTwoWithoutTouchingTheRecordedCode) {
  RecordEarlierFailure();
  const size_t callsBefore = machine.devices.updateCalls.size();
  EXPECT_EQ(Install("C:\\Package"), 2);
  EXPECT_EQ(Install("C:\\Package\\missing.inf"), 2);
  EXPECT_EQ(Install(""), 2);
  EXPECT_EQ(Install(nullptr), 2);
  EXPECT_EQ(machine.devices.updateCalls.size(), callsBefore);
  EXPECT_EQ(exports_.LastInstallErrorCode(), winerr::AccessDenied);
  EXPECT_TRUE(machine.deviceInstall.MessageBoxes().empty());
}

TEST_F(InstallDriver, TheMissingInfBoxShowsThePathUnchanged) {
  exports_.ShowErrorCode(1);
  EXPECT_EQ(Install("..\\Package\\missing.inf"), 2);
  auto boxes = machine.deviceInstall.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"..\\Package\\missing.inf");
  EXPECT_EQ(boxes[0].caption, u"Can not find the INF file!");
  EXPECT_EQ(boxes[0].style, 0x30u);
  EXPECT_EQ(boxes[0].owner, 0x1234u);
}

TEST_F(InstallDriver, NoAssociatedServiceGivesMinusOneAndKeepsTheRecordedCode) {
  RecordEarlierFailure();
  exports_.ShowErrorCode(1);
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::NoAssociatedService;
  EXPECT_EQ(Install(infPath_.c_str()), -1);
  EXPECT_EQ(exports_.LastInstallErrorCode(), winerr::AccessDenied);
  EXPECT_EQ(machine.lastError.Get(), winerr::NoAssociatedService);
  EXPECT_EQ(machine.deviceInstall.DebugLines().back(), "Update Driver For PlugAndPlay Devices fail !!!");
  EXPECT_TRUE(machine.deviceInstall.MessageBoxes().empty());
}

TEST_F(InstallDriver, OtherFailuresGiveTwoAndAreRecorded) {
  const uint32_t codes[] = {winerr::NoCatalogForOemInf, winerr::NoSuchDevinst};
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::UserDeclines;
  EXPECT_EQ(Install(infPath_.c_str()), 2);
  EXPECT_EQ(exports_.LastInstallErrorCode(), codes[0]);
  machine.devices.updateScenario = {};
  machine.devices.Find(kUsbInstance)->attached = false;
  EXPECT_EQ(Install(infPath_.c_str()), 2);
  EXPECT_EQ(exports_.LastInstallErrorCode(), codes[1]);
  EXPECT_EQ(machine.lastError.Get(), codes[1]);
}

TEST_F(InstallDriver, AHardwareIdThatDoesNotFitTheBufferIsRefused) {
  std::string tooLong(260, 'Q');
  EXPECT_EQ(Install(infPath_.c_str(), tooLong.c_str()), 2);
  EXPECT_TRUE(machine.devices.updateCalls.empty());
  EXPECT_EQ(machine.lastError.Get(), winerr::InvalidParameter);
  std::string longest(259, 'Q');
  EXPECT_EQ(Install(infPath_.c_str(), longest.c_str()), 2) << "fits, but no device carries it";
  EXPECT_EQ(machine.devices.updateCalls.size(), 1u);
}

TEST_F(InstallDriver, AnInfPathThatDoesNotFitTheBufferFailsTheCheck) {
  ustring deepInf = u"C:\\" + ustring(250, u'd') + u"\\Quillon.inf";
  WriteFile(machine.files, deepInf, "[Version]");
  EXPECT_EQ(Install(ToUtf8(deepInf).c_str()), 2);
  EXPECT_TRUE(machine.devices.updateCalls.empty());
}

TEST_F(InstallDriver, DebugModeShowsTheEntryBoxOwnedByTheCallersWindow) {
  exports_.SetDebugMode(1);
  Install(infPath_.c_str());
  auto boxes = machine.deviceInstall.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Inst2K()<<<<<<");
  EXPECT_EQ(boxes[0].caption, u"debug");
  EXPECT_EQ(boxes[0].owner, 0x1234u);
}

TEST_F(InstallDriver, TheProbeAnswersTheCodeAndRecordsNothing) {
  RecordEarlierFailure();
  const auto probe = [&](const char* id) {
    return exports_.Inst2k_IsInlineDeviceExist(0, id, infPath_.c_str(), 4);
  };
  EXPECT_EQ(probe("NoSuchPrinter"), winerr::NoSuchDevinst);
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::UserDeclines;
  EXPECT_EQ(probe("QuillonQX17A3F"), winerr::NoCatalogForOemInf);
  machine.devices.updateScenario = {};
  EXPECT_EQ(probe("QuillonQX17A3F"), 0u) << "installs as far as the flags allow";
  EXPECT_EQ(probe("QuillonQX17A3F"), winerr::NoMoreItems) << "the same driver is not a better one";
  EXPECT_EQ(machine.devices.updateCalls.back().flags, 4u);
  EXPECT_EQ(exports_.LastInstallErrorCode(), winerr::AccessDenied);
  EXPECT_EQ(exports_.Inst2k_IsInlineDeviceExist(0, "QuillonQX17A3F", "C:\\nowhere.inf", 4), winerr::FileNotFound);
}

TEST_F(InstallDriver, AFailureBoxShowsTheSystemTextOnce) {
  exports_.ShowErrorCode(1);
  machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, 0x20000001};
  ustring systemText = ustring(197, u'x') + u"\r\n";
  machine.deviceInstall.SetSystemMessage(0x20000001, systemText);
  EXPECT_EQ(Install(infPath_.c_str()), 2);
  auto boxes = machine.deviceInstall.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Update Driver For PlugAndPlay Devices fail: " + systemText + u"\n");
  EXPECT_EQ(boxes[0].caption, u"Error");
  EXPECT_EQ(boxes[0].style, 0x10u);
  EXPECT_EQ(boxes[0].owner, 0x1234u) << "no owner given: the window of the last install";
}

TEST_F(InstallDriver, ASystemTextThatDoesNotFitItsBufferGivesTheCodeText) {
  exports_.ShowErrorCode(1);
  machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, 0x20000002};
  machine.deviceInstall.SetSystemMessage(0x20000002, ustring(200, u'x'));
  Install(infPath_.c_str());
  ASSERT_EQ(machine.deviceInstall.MessageBoxes().size(), 1u);
  EXPECT_EQ(machine.deviceInstall.MessageBoxes()[0].text,
            u"Update Driver For PlugAndPlay Devices fail: (0x20000002)\n");
}

TEST_F(InstallDriver, FailureBoxesSpeakTheSystemsLanguage) {
  machine.codePage.SetId(936);
  machine.deviceInstall.SetUiLanguage(2052);
  exports_.ShowErrorCode(1);
  machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, 0x20000003};
  Install(infPath_.c_str());
  ASSERT_EQ(machine.deviceInstall.MessageBoxes().size(), 1u);
  EXPECT_EQ(machine.deviceInstall.MessageBoxes()[0].text,
            u"Update Driver For PlugAndPlay Devices 失败: (0x20000003)\n");
  EXPECT_EQ(machine.deviceInstall.MessageBoxes()[0].caption, u"错误");
}

TEST_F(InstallDriver, RegistryInfCopiesIntoTheStoreAndHandsOutTheNameOnlyWhenItFits) {
  std::array<char, 512> name{};
  EXPECT_NE(exports_.Inst2k_RegistryInf(infPath_.c_str(), "C:\\Package\\", name.data(), 512), 0);
  EXPECT_STREQ(name.data(), "C:\\Windows\\INF\\oem0.inf");
  EXPECT_TRUE(machine.files.FileExists(u"C:\\Windows\\INF\\oem0.inf"));

  // The same INF again: the stored copy; its path needs 24 characters with the zero.
  std::array<char, 512> untouched{};
  untouched[0] = '#';
  EXPECT_NE(exports_.Inst2k_RegistryInf(infPath_.c_str(), nullptr, untouched.data(), 24), 0);
  EXPECT_EQ(untouched[0], '#');
  EXPECT_NE(exports_.Inst2k_RegistryInf(infPath_.c_str(), nullptr, untouched.data(), 25), 0);
  EXPECT_STREQ(untouched.data(), "C:\\Windows\\INF\\oem0.inf");
  EXPECT_FALSE(machine.files.FileExists(u"C:\\Windows\\INF\\oem1.inf"));
}

TEST_F(InstallDriver, RegistryInfFailureLeavesTheReasonAsLastError) {
  RecordEarlierFailure();
  std::array<char, 512> name{};
  EXPECT_EQ(exports_.Inst2k_RegistryInf("C:\\Package\\missing.inf", nullptr, name.data(), 512), 0);
  EXPECT_EQ(machine.lastError.Get(), winerr::FileNotFound);
  EXPECT_EQ(name[0], '\0');
  EXPECT_EQ(exports_.LastInstallErrorCode(), winerr::AccessDenied);
}

TEST_F(InstallDriver, RefreshReenumeratesTheRootNodeOrAnswersTheFailure) {
  EXPECT_EQ(exports_.RefreshHW(), 0u);
  EXPECT_EQ(machine.devices.reenumerations, 1);
  machine.devices.locateResult = 0x13;
  EXPECT_EQ(exports_.RefreshHW(), 0x13u);
  EXPECT_EQ(machine.devices.reenumerations, 1);
  machine.devices.locateResult = 0;
  machine.devices.reenumerateResult = 0x13;
  EXPECT_EQ(exports_.RefreshHW(), 0x13u);
}

}  // namespace
}  // namespace prn::testing
