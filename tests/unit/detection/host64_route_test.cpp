// The 64-bit route end to end: the installer starts the simulated
// PrnSetup64.exe, which runs the host's own logic against the simulated
// device tree through inst2k64.dll.

#include <gtest/gtest.h>

#include "detection_fixture.h"
#include "testing/test_files.h"
#include "install/device_detection.h"
#include "install/host64_launch.h"
#include "install/online_install.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {
namespace {

using namespace prn::testing;

constexpr char16_t kResultFile[] = u"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2\\tmp1A2B.tmp";
constexpr char16_t kFindCommand[] =
    u"\"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2\\PrnSetup64.exe\" /Handle 4660 "
    u"/Dll \"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2\\inst2k64.dll\" /Inf \"C:\\Package\\Driver\\QX1_64.INF\" "
    u"/HWID QuillonQX17A3F /FindHWID \"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2\\tmp1A2B.tmp\"";
constexpr char16_t kInstallCommand[] =
    u"\"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2\\PrnSetup64.exe\" /Handle 4660 "
    u"/Dll \"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2\\inst2k64.dll\" /Inf \"C:\\Package\\Driver\\QX1_64.INF\" "
    u"/HWID QuillonQX17A3F";

class Host64RouteTest : public DetectionTest {
 protected:
  Host64RouteTest() {
    Use64BitWindows();
    machine.windows.Register(kWindow, [this](uint32_t message, uintptr_t, uint32_t lParam) {
      received.push_back({message, lParam});
    });
  }

  uint32_t Probe(uint32_t flags = kProbeInstallFlags) {
    return FindInlineDevice64(platform, kWindow, kHardwareId, kInf64, kHostExe, kInst2k64Dll, flags);
  }

  struct Received {
    uint32_t message;
    uint32_t lParam;
  };
  std::vector<Received> received;
  trace::Capture trace;
};

TEST_F(Host64RouteTest, FindModeProbesThroughTheHostAndReadsItsRet) {
  AttachPrinter();
  ProbeAnswers(winerr::TrustNoSignature);
  bool driverFoundInstalled = true;
  EXPECT_EQ(ExistReqInlineSetupDevice(platform, kWindow, kInst2kDll, kHostExe, kInst2k64Dll, kHardwareId, kInf64,
                                      kModel, driverFoundInstalled),
            0u);
  EXPECT_FALSE(driverFoundInstalled);
  EXPECT_TRUE(trace.Contains(u"根據檢測到的信息判定設備可能已聯機（0x800b0100）。"));

  // One host start, with full paths, in the system folder: the work folder is
  // held with delete access, and a child cannot start in a folder held so.
  ASSERT_EQ(machine.processes.Started().size(), 1u);
  EXPECT_EQ(machine.processes.Started()[0].commandLine, kFindCommand);
  EXPECT_EQ(machine.processes.Started()[0].currentDirectory, u"C:\\Windows\\system32");
  EXPECT_TRUE(trace.Contains(u"命令行：" + ustring(kFindCommand)));
  EXPECT_TRUE(trace.Contains(u"已成功地創建了64位檢測進程，準備等待進程完成。"));
  // The 64-bit library made the probe, without an owner and with the flag from the file.
  EXPECT_EQ(machine.deviceLibraries.TotalLoads(kInst2k64Dll), 1);
  EXPECT_TRUE(machine.dialogs.Boxes().empty());
  ASSERT_EQ(machine.devices.updateCalls.size(), 1u);
  EXPECT_EQ(machine.devices.updateCalls[0].owner, 0u);
  EXPECT_EQ(machine.devices.updateCalls[0].flags, 4u);
  EXPECT_EQ(machine.devices.updateCalls[0].infPath, "C:\\Package\\Driver\\QX1_64.INF");
  // The result file lay in the work folder, not in the user's reach, and is
  // gone; the host sends nothing in find mode.
  EXPECT_FALSE(machine.files.FileExists(kResultFile));
  EXPECT_TRUE(machine.files.ListFiles(machine.system.userTempFolder, u"*").empty());
  EXPECT_TRUE(machine.windows.Sent().empty());
}

// A hardware ID that the host would read otherwise (split at its blank,
// regrouped at its quote, taken for a switch) is refused with a clear text:
// no host starts, no result file is left.
TEST_F(Host64RouteTest, AnIdThatWouldNotReachTheHostIntactIsRefused) {
  for (const char16_t* id : {u"Quillon QX1", u"Q\"X", u"/FindHWID"}) {
    try {
      FindInlineDevice64(platform, kWindow, id, kInf64, kHostExe, kInst2k64Dll, kProbeInstallFlags);
      ADD_FAILURE() << "no error raised for " << ToUtf8(id);
    } catch (const Error& error) {
      EXPECT_NE(error.Text().find(id), ustring::npos) << ToUtf8(error.Text());
    }
  }
  EXPECT_TRUE(machine.processes.Started().empty());
  EXPECT_EQ(machine.files.ListFiles(kWorkDir, u"tmp*"), StringList{});
}

TEST_F(Host64RouteTest, AnAbsentPrinterReadsBackAsNoSuchDevice) {
  EXPECT_EQ(Probe(), winerr::NoSuchDevinst);
}

TEST_F(Host64RouteTest, TheFlagReachesTheHostThroughTheResultFile) {
  AttachPrinter();
  machine.devices.Find(kUsbInstanceId)->driverInf = "C:\\Package\\Driver\\QX1_64.INF";
  EXPECT_EQ(Probe(), winerr::NoMoreItems);  // non-interactive: the same driver is no better
  EXPECT_EQ(Probe(1), 0u);                  // forced: installed again
}

TEST_F(Host64RouteTest, AHostThatWritesNoRetGives1067) {
  AttachPrinter();
  machine.deviceLibraries.FailLoad(kInst2k64Dll, winerr::ModNotFound);
  EXPECT_EQ(Probe(), winerr::ProcessAborted);
  ASSERT_EQ(machine.dialogs.Boxes().size(), 1u);
  EXPECT_EQ(machine.dialogs.Boxes()[0].text, u"装载DLL失败！");
  EXPECT_FALSE(machine.files.FileExists(kResultFile));
}

TEST_F(Host64RouteTest, AHostThatDoesNotStartGives1067) {
  sim::ScriptedCommand missing;
  missing.startError = winerr::FileNotFound;
  machine.processes.Script(kFindCommand, missing);
  EXPECT_EQ(Probe(), winerr::ProcessAborted);
  EXPECT_FALSE(trace.Contains(u"已成功地創建了64位檢測進程，準備等待進程完成。"));
}

TEST_F(Host64RouteTest, NoResultFileRaisesTheSystemsText) {
  machine.system.FailTempFileNames(winerr::AccessDenied);
  try {
    Probe();
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), machine.system.ErrorMessage(winerr::AccessDenied));
    EXPECT_FALSE(error.Text().empty());
  }
  EXPECT_TRUE(machine.processes.Started().empty());
}

TEST_F(Host64RouteTest, InstallModeReportsToTheWindowWhenTheHostRuns) {
  AttachPrinter();
  auto context = Context();
  EXPECT_FALSE(PrinterOnLineInstall3264(platform, Settings(), *context, 0));
  EXPECT_EQ(context->m_strDisConnectPort, u"USB001");
  EXPECT_EQ(context->m_strInstallPortName, u"USB001");
  EXPECT_EQ(context->m_InstallingProgress, TInstallProgress::IPInstalling);
  ASSERT_EQ(machine.processes.Started().size(), 1u);
  EXPECT_EQ(machine.processes.Started()[0].commandLine, kInstallCommand);
  EXPECT_EQ(machine.processes.Started()[0].currentDirectory, u"C:\\Windows\\system32");
  EXPECT_TRUE(trace.Contains(u"已成功創建64位安裝進程。"));
  // The installer did not wait: the host has not reported yet.
  ASSERT_TRUE(context->m_hPrnSetup64);
  EXPECT_TRUE(received.empty());

  context->m_hPrnSetup64->WaitForEnd();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].message, 0x402u);
  EXPECT_EQ(received[0].lParam, 0u);
  EXPECT_EQ(machine.devices.Find(kUsbInstanceId)->driverInf, "C:\\Package\\Driver\\QX1_64.INF");
  EXPECT_EQ(machine.deviceLibraries.TotalLoads(kInst2k64Dll), 1);
  EXPECT_EQ(context->m_hPrnSetup64->ExitCode(), 0u);
}

TEST_F(Host64RouteTest, AFailedInstallReportsTheLibrarysErrorCode) {
  AttachPrinter();
  ProbeAnswers(winerr::AccessDenied);
  auto context = Context();
  PrinterOnLineInstall3264(platform, Settings(), *context, 0);
  ASSERT_TRUE(context->m_hPrnSetup64);
  EXPECT_FALSE(context->m_hPrnSetup64->StillActive());  // the watchdog's look lets it finish
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].message, 0x401u);
  EXPECT_EQ(received[0].lParam, winerr::AccessDenied);
}

// Nothing will report: the run goes on with the offline route.
TEST_F(Host64RouteTest, AHostThatDoesNotStartIsTracedAndLeavesNoHostToWaitFor) {
  sim::ScriptedCommand missing;
  missing.startError = winerr::FileNotFound;
  machine.processes.Script(kInstallCommand, missing);
  auto context = Context();
  context->m_hPrnSetup64 = machine.processes.StartDetached(u"", u"rundll32.exe", u"").process;  // an earlier run's
  EXPECT_FALSE(PrinterOnLineInstall3264(platform, Settings(), *context, 0));
  EXPECT_FALSE(context->m_hPrnSetup64);
  EXPECT_EQ(context->m_dwLastErrorCode, 0u);
  EXPECT_TRUE(trace.Contains(u"創建64位進程失敗，錯誤值：0x00000002"));
  EXPECT_EQ(context->m_strInstallPortName, u"LPT1:");  // no device found
}

// A host in a folder with a blank: a planted C:\Users\First.exe must not be
// what runs.
TEST_F(Host64RouteTest, TheHostInAFolderWithABlankIsTheProgramThatRuns) {
  AttachPrinter();
  const ustring folder = u"C:\\Users\\First Last\\Work";
  WriteFile(machine.files, folder + u"\\PrnSetup64.exe", "MZ-host");
  WriteFile(machine.files, folder + u"\\inst2k64.dll", "MZ-inst2k64");
  WriteFile(machine.files, u"C:\\Users\\First.exe", "MZ planted");
  auto context = Context();
  context->m_strPrnSetup64Exe = folder + u"\\PrnSetup64.exe";
  context->m_strInst2k64Dll = folder + u"\\inst2k64.dll";
  PrinterOnLineInstall3264(platform, Settings(), *context, 0);
  ASSERT_EQ(machine.processes.Started().size(), 1u);
  EXPECT_EQ(machine.processes.Started()[0].program, folder + u"\\PrnSetup64.exe");
  EXPECT_EQ(machine.processes.Started()[0].args[0], folder + u"\\PrnSetup64.exe");
  ASSERT_TRUE(context->m_hPrnSetup64);
  context->m_hPrnSetup64->WaitForEnd();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].message, 0x402u);
}

TEST_F(Host64RouteTest, InstallSpecPrinter64DoesNothingOn32BitWindows) {
  machine.system.wow64 = false;
  std::unique_ptr<sys::Process> host;
  ustring port = u"unset";
  InstallSpecPrinter64(platform, kWindow, kHostExe, kInf64, kHardwareId, kInst2kDll, kInst2k64Dll, host, port);
  EXPECT_FALSE(host);
  EXPECT_EQ(port, u"unset");
  EXPECT_TRUE(machine.processes.Started().empty());
}

}  // namespace
}  // namespace prn::install
