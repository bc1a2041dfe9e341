#include "detection_fixture.h"

#include "spooler/printer_queries.h"
#include "sys/win_errors.h"
#include "testing/test_files.h"

namespace prn::testing {

DetectionTest::DetectionTest() : platform(machine.Platform()) {
  PutPackage("AfterRun=After.exe\r\n");
  WriteFile(machine.files, kAfterRun, "MZ-after");
  EXPECT_EQ(machine.system.CreatePrivateFolder(kWorkDir, workFolder_), 0u);
  EXPECT_EQ(workFolder_->WriteHeldFile(kInst2kDll, "MZ-inst2k"), 0u);
  EXPECT_EQ(workFolder_->WriteHeldFile(kInst2k64Dll, "MZ-inst2k64"), 0u);
  EXPECT_EQ(workFolder_->WriteHeldFile(kHostExe, "MZ-host"), 0u);
  machine.spooler.PutDriver(kModel);
  machine.spooler.PutDriver(u"Other Driver");
  Settings();  // loaded now, before a test changes the machine
}

void DetectionTest::AttachPrinter(const std::string& instanceId, bool attached) {
  sim::SimDevice device;
  device.instanceId = instanceId;
  device.hardwareIds = {"USBPRINT\\QuillonQX17A3F", "QuillonQX17A3F"};
  device.attached = attached;
  machine.devices.AddDevice(device);
}

void DetectionTest::PutQueue(const ustring& name, const ustring& port, bool online, const ustring& driver) {
  machine.spooler.PutPort(port);
  machine.spooler.PutPrinter(name, driver, port);
  if (!online) {
    ASSERT_TRUE(spooler::SetPrinterOnline(machine.spooler, name, false));
  }
}

void DetectionTest::Use64BitWindows() {
  machine.system.wow64 = true;
  machine.registry.SetRedirected32(true);
}

void DetectionTest::ProbeAnswers(uint32_t code) {
  if (code == winerr::NoCatalogForOemInf) {
    machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::UserDeclines;
  } else {
    machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, code};
  }
}

std::unique_ptr<install::InstallContext> DetectionTest::Context() const {
  auto context = std::make_unique<install::InstallContext>();
  context->m_iSelect = 0;
  context->m_strInst2kDll = kInst2kDll;
  context->m_strInst2k64Dll = kInst2k64Dll;
  context->m_strPrnSetup64Exe = kHostExe;
  context->m_iWinVer = 61;
  context->m_bWow64 = machine.system.wow64.value_or(false);
  context->m_hWnd = kWindow;
  context->m_InstallingProgress = install::TInstallProgress::IPInstalling;
  return context;
}

}  // namespace prn::testing
