#include "run_fixture.h"

#include <climits>

#include "testing/test_files.h"
#include "testing/test_package.h"

namespace prn::testing {

RunTest::RunTest() {
  WriteFile(machine.files, u"C:\\Package\\Driver\\QX1.INF", PrinterInf("01/15/2020,3.0.1.5"));
  WriteFile(machine.files, u"C:\\Package\\Driver\\QX1_64.INF", PrinterInf("01/15/2020,3.0.1.5"));
  WriteFile(machine.files, u"C:\\Package\\Driver\\QX1.GPD", GpdText("1.0.3"));
  WriteFile(machine.files, u"C:\\Work\\inst2k.dll", "MZ-inst2k");
  WriteFile(machine.files, u"C:\\Work\\inst2k64.dll", "MZ-inst2k64");
  WriteFile(machine.files, u"C:\\Work\\PrnSetup64.exe", "MZ-host");

  texts.OEMManufactor = u"Quillon";
  texts.NoticeTitle = u"Notice";
  texts.ErrorTitle = u"Error";
  texts.BeforeInstallPrompt = u"Install now?";
  texts.InstallSuccessStr = u"Printer %s is ready on %s.";
  texts.RestartPrompt = u"Restart first.";
  texts.InstallFailStr = u"Install failed: %s";
  texts.InstallFailReasonUnknow = u"Install failed for an unknown reason.";
  texts.InstallRetry = u"Try again later.";
  texts.InstallCancelStr = u"Install cancelled.";
  texts.InstallOnline = u"Connect the printer on %s and try again?";
  texts.FileOrPathNotExist = u"The file or folder does not exist.";

  context.m_iSelect = 0;
  context.m_strInst2kDll = u"C:\\Work\\inst2k.dll";
  context.m_strInst2k64Dll = u"C:\\Work\\inst2k64.dll";
  context.m_strPrnSetup64Exe = u"C:\\Work\\PrnSetup64.exe";
  context.m_iWinVer = 61;
  context.m_hWnd = kWindow;
}

void RunTest::Use64BitWindows() {
  machine.system.wow64 = true;
  machine.registry.SetRedirected32(true);
  context.m_bWow64 = true;
}

void RunTest::AttachPrinter(bool driverFromPackage) {
  sim::SimDevice device;
  device.instanceId = kUsbInstanceId;
  device.hardwareIds = {"USBPRINT\\QuillonQX17A3F", "QuillonQX17A3F"};
  if (driverFromPackage) {
    // As the probe names the INF: by its full path, itself on 32-bit or through the host.
    device.driverInf = context.m_bWow64 ? "C:\\Package\\Driver\\QX1_64.INF" : "C:\\Package\\Driver\\QX1.INF";
  }
  machine.devices.AddDevice(device);
  machine.spooler.PutPort(u"USB001", u"USB Monitor");
}

void RunTest::HostEndsSilently() {
  machine.processes.Script(kHostInstallCommand, {});
}

void RunTest::HostHangs() {
  sim::ScriptedCommand hanging;
  hanging.run.activePolls = INT_MAX;
  machine.processes.Script(kHostInstallCommand, hanging);
}

install::InstallServices RunTest::Services(install::InstallPolicy policy) {
  WriteFile(machine.files, u"C:\\Package\\Setup.Ini",
            "[Quillon QX1]\r\nPrinterName=Quillon QX1\r\nPrinterHWID=QuillonQX17A3F\r\nDriverDir=Driver\r\n"
            "INF.2K=QX1.INF\r\nINF.X64=QX1_64.INF\r\n" + extraSettings_);
  settings_ = LoadSettingsFile(machine, u"C:\\Package\\Setup.Ini", u"C:\\Package\\");
  install::InstallServices services;
  services.platform = machine.Platform();
  services.settings = settings_.get();
  services.texts = &texts;
  services.context = &context;
  services.printersBefore = &before;
  services.printersAfter = &after;
  services.window = &window;
  services.policy = policy;
  return services;
}

void RunTest::PrepareSession(install::InstallPolicy policy) {
  session = std::make_unique<install::InstallSession>(Services(policy));
  machine.windows.Register(kWindow, [this](uint32_t message, uintptr_t, uint32_t lParam) {
    session->OnHostMessage(message, lParam);
  });
}

void RunTest::Install(install::InstallPolicy policy, bool prompt) {
  PrepareSession(policy);
  ASSERT_TRUE(session->Start(prompt));
  install::RunHeadless(*session, window);
}

std::vector<ustring> RunTest::BoxTexts() const {
  std::vector<ustring> boxes;
  for (const auto& box : machine.dialogs.Boxes()) boxes.push_back(box.text);
  return boxes;
}

}  // namespace prn::testing
