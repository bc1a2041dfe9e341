#include "run_fixture.h"

#include <fstream>

namespace prn::testing {

namespace {

void WriteHostFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

RunTest::RunTest() {
  scenario_.wow64 = false;
  WriteHostFile(package_ / "Driver" / "QX1.INF", PrinterInf("01/15/2020,3.0.1.5"));
  WriteHostFile(package_ / "Driver" / "QX1_64.INF", PrinterInf("01/15/2020,3.0.1.5"));
  WriteHostFile(package_ / "Driver" / "QX1.GPD", GpdText("1.0.3"));
}

RunTest::~RunTest() { program_.reset(); }

void RunTest::AttachPrinter(bool driverFromPackage, const std::string& port) {
  scenario_.devices.push_back({"QuillonQX17A3F", port, driverFromPackage});
}

tool::ScenarioInstall& RunTest::Program() {
  if (program_) return *program_;
  WriteHostFile(package_ / "Setup.Ini", SetupIniText(extraSettings_));
  program_ = std::make_unique<tool::ScenarioInstall>(package_ / "Setup.Ini", scenario_, 0x0409);
  config::TStrInstaller& texts = program_->Values().strInstaller;
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
  texts.Installing = u"Installing";
  texts.InstallEnd = u"Install end";
  return *program_;
}

ui::HeadlessFormMainWindow& RunTest::Classic() {
  ui::HeadlessFormMainWindow* window = Program().ClassicWindow();
  if (!window) throw std::logic_error("no install ran in the classic window");
  return *window;
}

ui::HeadlessFormInstallingWindow& RunTest::Progress() {
  ui::HeadlessFormInstallingWindow* window = Program().ProgressWindow();
  if (!window) throw std::logic_error("no install ran in the progress window");
  return *window;
}

std::vector<ustring> RunTest::BoxTexts() {
  std::vector<ustring> boxes;
  for (const auto& box : Machine().dialogs.Boxes()) boxes.push_back(box.text);
  return boxes;
}

int RunTest::HostInstallStarts() {
  int starts = 0;
  for (const auto& start : Machine().processes.Started()) {
    const bool host = start.program.find(u"PrnSetup64.exe") != ustring::npos;
    starts += host && start.commandLine.find(u"/FindHWID") == ustring::npos;
  }
  return starts;
}

}  // namespace prn::testing
