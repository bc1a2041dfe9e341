// The host's two modes on the simulated machine, with the real library logic.

#include <gtest/gtest.h>

#include "config/profile_store.h"
#include "native/host64/host_run.h"
#include "sim/machine.h"
#include "sim/threads.h"
#include "sys/win_errors.h"
#include "testing/test_files.h"

namespace prn::host64 {
namespace {

struct Box {
  ustring text;
  ustring caption;
};
struct Sent {
  sys::WindowHandle window;
  uint32_t message;
  uintptr_t wParam;
  uint32_t lParam;
};

class RecordingUi : public HostUi {
 public:
  void ShowErrorBox(const ustring& text, const ustring& caption) override { boxes.push_back({text, caption}); }
  void SendToWindow(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam) override {
    sent.push_back({window, message, wParam, lParam});
  }
  std::vector<Box> boxes;
  std::vector<Sent> sent;
};

constexpr char16_t kWork[] = u"C:\\Users\\Ann\\AppData\\Local\\Temp\\Pellnor\\PrnSetup\\tmp1";
constexpr char16_t kResultFile[] = u"C:\\Users\\Ann\\AppData\\Local\\Temp\\tmp12.tmp";

class Host : public ::testing::Test {
 protected:
  Host() {
    machine.files.SetCurrentDirectory(kWork);
    testing::WriteFile(machine.files, JoinPath(u"inst2k64.dll"), "MZ");
    testing::WriteFile(machine.files, JoinPath(u"QuillonQX1.inf"), "[Version]");
    testing::WriteFile(machine.files, kResultFile, "");
    machine.devices.AddDevice({"USBPRINT\\QUILLONQX17A3F\\7&2A3B&0&USB001", {"USBPRINT\\QuillonQX17A3F"}, true, "", 0});
  }
  static ustring JoinPath(ustring_view name) { return ustring(kWork) + u"\\" + ustring(name); }

  std::vector<ustring> InstallLine(ustring_view hardwareId = u"USBPRINT\\QuillonQX17A3F") {
    return {u"/Handle", u"65810", u"/Dll", u"inst2k64.dll", u"/Inf", u"QuillonQX1.inf", u"/HWID", ustring(hardwareId)};
  }
  std::vector<ustring> FindLine(ustring_view hardwareId = u"USBPRINT\\QuillonQX17A3F") {
    auto line = InstallLine(hardwareId);
    line.insert(line.end(), {u"/FindHWID", kResultFile});
    return line;
  }
  int Run(const std::vector<ustring>& line) { return RunHost(context, ParseHostArguments(line)); }
  ustring Ret() { return profiles.ReadString(kResultFile, u"Data", u"Ret", u"<none>"); }

  sim::As64BitProcess bitness;  // the host's own logic runs as the 64-bit program
  sim::Machine machine;
  config::FileProfileStore profiles{machine.files, machine.codePage};
  RecordingUi ui;
  HostContext context{machine.deviceLibraries, machine.files, machine.codePage, profiles, ui};
};

TEST_F(Host, FindModeWritesTheProbeResultAsAnUnsignedNumberAndSendsNothing) {
  EXPECT_EQ(Run(FindLine(u"NoSuchPrinter")), 0);
  EXPECT_EQ(Ret(), u"3758096907");
  EXPECT_EQ(static_cast<uint32_t>(std::stoul(ToUtf8(Ret()))), winerr::NoSuchDevinst);
  EXPECT_TRUE(ui.sent.empty()) << "/Handle is ignored in find mode";
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(machine.deviceLibraries.ActiveLoads(JoinPath(u"inst2k64.dll")), 0);
}

TEST_F(Host, FindModeProbesWithTheFlagsOfTheResultFileOrFour) {
  Run(FindLine());
  ASSERT_EQ(machine.devices.updateCalls.size(), 1u);
  EXPECT_EQ(machine.devices.updateCalls[0].flags, 4u);
  EXPECT_EQ(machine.devices.updateCalls[0].infPath, "QuillonQX1.inf") << "passed on as given";
  EXPECT_EQ(Ret(), u"0");

  profiles.WriteString(kResultFile, u"Data", u"Flag", u"1");
  Run(FindLine());
  EXPECT_EQ(machine.devices.updateCalls[1].flags, 1u);
  EXPECT_EQ(Ret(), u"0");
}

TEST_F(Host, FindModeKeepsTheRestOfTheResultFile) {
  profiles.WriteString(kResultFile, u"Data", u"Flag", u"4");
  Run(FindLine(u"NoSuchPrinter"));
  std::string bytes;
  machine.files.ReadFile(kResultFile, bytes);
  EXPECT_EQ(bytes, "[Data]\r\nFlag=4\r\nRet=3758096907\r\n");
}

TEST_F(Host, FindModeFailuresShowTheirBoxAndWriteNoRet) {
  machine.deviceLibraries.RemoveExport(JoinPath(u"inst2k64.dll"), "Inst2k_IsInlineDeviceExist");
  Run(FindLine());
  EXPECT_EQ(Ret(), u"<none>");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, u"在DLL中查找不到函數：Inst2k_IsInlineDeviceExist");
  EXPECT_EQ(ui.boxes[0].caption, u"错误");

  auto line = FindLine();
  line[3] = u"missing.dll";
  Run(line);
  EXPECT_EQ(Ret(), u"<none>");
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[1].text, u"装载DLL失败！");
  EXPECT_EQ(ui.boxes[1].caption, u"错误");
}

TEST_F(Host, FindModeWithATooLongValueWritesTheReasonInsteadOfProbing) {
  Run(FindLine(ustring(1024, u'Q')));
  EXPECT_EQ(Ret(), u"122");
  EXPECT_TRUE(machine.devices.updateCalls.empty());
  Run(FindLine(ustring(1023, u'Q')));
  EXPECT_EQ(Ret(), u"3758096907");
}

TEST_F(Host, FindModeWithoutShowErrorCodeStillProbes) {
  machine.deviceLibraries.RemoveExport(JoinPath(u"inst2k64.dll"), "ShowErrorCode");
  Run(FindLine());
  EXPECT_EQ(Ret(), u"0");
}

TEST_F(Host, InstallModeReportsSuccessWithTheLibrarysCode) {
  EXPECT_EQ(Run(InstallLine()), 0);
  ASSERT_EQ(ui.sent.size(), 1u);
  EXPECT_EQ(ui.sent[0].window, 65810u);
  EXPECT_EQ(ui.sent[0].message, 0x402u);
  EXPECT_EQ(ui.sent[0].wParam, 0u);
  EXPECT_EQ(ui.sent[0].lParam, 0u);
  EXPECT_EQ(machine.devices.updateCalls.at(0).infPath, ToUtf8(JoinPath(u"QuillonQX1.inf")));
  EXPECT_EQ(machine.devices.updateCalls.at(0).flags, 1u);
}

TEST_F(Host, MinusOneCountsAsSuccessAndTwoAsFailure) {
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::NoAssociatedService;
  Run(InstallLine());
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::UserDeclines;
  Run(InstallLine());
  ASSERT_EQ(ui.sent.size(), 2u);
  EXPECT_EQ(ui.sent[0].message, 0x402u);
  EXPECT_EQ(ui.sent[1].message, 0x401u);
  EXPECT_EQ(ui.sent[1].lParam, winerr::NoCatalogForOemInf);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(machine.deviceInstall.MessageBoxes().empty()) << "the library's boxes are switched off";
}

TEST_F(Host, TheMessageFollowsTheSignedResult) {
  EXPECT_EQ(ChooseMessage(-1), 0x402u);
  EXPECT_EQ(ChooseMessage(0), 0x402u);
  EXPECT_EQ(ChooseMessage(1), 0x402u);
  EXPECT_EQ(ChooseMessage(2), 0x401u);
  EXPECT_EQ(ChooseMessage(3), 0x401u);
}

TEST_F(Host, NoHandleMeansNoMessage) {
  auto line = InstallLine();
  line.erase(line.begin(), line.begin() + 2);
  EXPECT_EQ(Run(line), 0);
  line.insert(line.end(), {u"/Handle", u"0"});
  EXPECT_EQ(Run(line), 0);
  EXPECT_TRUE(ui.sent.empty());
  EXPECT_EQ(machine.devices.updateCalls.size(), 2u);
}

TEST_F(Host, AnUnloadableLibrarySendsFailureWithTheLoadError) {
  machine.deviceLibraries.FailLoad(JoinPath(u"inst2k64.dll"), 193);
  Run(InstallLine());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, u"装载DLL失败！");
  ASSERT_EQ(ui.sent.size(), 1u);
  EXPECT_EQ(ui.sent[0].message, 0x401u);
  EXPECT_EQ(ui.sent[0].lParam, 193u);
}

TEST_F(Host, ALibraryWithoutAnInstallEntrySendsResultThreeWithProcNotFound) {
  machine.deviceLibraries.RemoveExport(JoinPath(u"inst2k64.dll"), "FuncInst2K");
  InstallReport report = RunInstallMode(context, ParseHostArguments(InstallLine()));
  EXPECT_EQ(report.result, 3);
  EXPECT_EQ(report.code, winerr::ProcNotFound);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, u"装载Inst2K()失败！");
  EXPECT_EQ(ui.boxes[0].caption, u"错误");
}

TEST_F(Host, TheOlderEntryNameInstallsWithoutFetchingACode) {
  machine.deviceLibraries.UseOlderEntryName(JoinPath(u"inst2k64.dll"));
  InstallReport report = RunInstallMode(context, ParseHostArguments(InstallLine()));
  EXPECT_EQ(report.result, 0);
  EXPECT_EQ(report.code, winerr::ProcNotFound);
  EXPECT_EQ(machine.devices.updateCalls.size(), 1u);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(Host, MissingSwitchesOrCodeExportsAreNeverCalled) {
  machine.deviceLibraries.RemoveExport(JoinPath(u"inst2k64.dll"), "ShowErrorCode");
  machine.deviceLibraries.RemoveExport(JoinPath(u"inst2k64.dll"), "LastInstallErrorCode");
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::UserDeclines;
  Run(InstallLine());
  ASSERT_EQ(ui.sent.size(), 1u);
  EXPECT_EQ(ui.sent[0].message, 0x401u);
  EXPECT_EQ(ui.sent[0].lParam, winerr::ProcNotFound);
}

TEST_F(Host, InstallValuesThatDoNotFitTheNarrowCopiesAreRefused) {
  Run(InstallLine(ustring(260, u'Q')));
  auto longInf = InstallLine();
  longInf[5] = ustring(256, u'd') + u".inf";
  Run(longInf);
  ASSERT_EQ(ui.sent.size(), 2u);
  for (const auto& sent : ui.sent) {
    EXPECT_EQ(sent.message, 0x401u);
    EXPECT_EQ(sent.lParam, winerr::InsufficientBuffer);
  }
  EXPECT_TRUE(machine.devices.updateCalls.empty());

  Run(InstallLine(ustring(259, u'Q')));
  EXPECT_EQ(ui.sent.back().lParam, winerr::NoSuchDevinst) << "259 characters still fit";
}

TEST_F(Host, AnInfPathOutsideTheCrtConversionFailsTheInstall) {
  testing::WriteFile(machine.files, JoinPath(u"打印机.inf"), "[Version]");
  auto line = InstallLine();
  line[5] = u"打印机.inf";
  Run(line);
  ASSERT_EQ(ui.sent.size(), 1u);
  EXPECT_EQ(ui.sent[0].message, 0x401u);
  EXPECT_EQ(ui.sent[0].lParam, winerr::NoUnicodeTranslation);
  EXPECT_TRUE(machine.devices.updateCalls.empty());
}

}  // namespace
}  // namespace prn::host64
