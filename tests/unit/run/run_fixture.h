#pragma once
// A driver package for one model on a simulated machine, started as the
// program starts (the work folder, the language file, the settings), and
// installed in the installer window the settings select, wired as the
// program wires it: the scenario runner of `prnsetup-tool install`.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "sim/host_folder.h"
#include "testing/test_package.h"
#include "tools/prnsetup-tool/install_scenario.h"

namespace prn::testing {

inline constexpr sys::WindowHandle kWindow = tool::kScenarioWindow;

class RunTest : public ::testing::Test {
 protected:
  RunTest();
  ~RunTest() override;

  // Before the start-up: keys added to the entry of Setup.Ini ("DefaultPort=USB\r\n" …; "ViewMode=20\r\n"
  // gives the skinned installer and its progress window), the machine's kind, the printer on a port
  // (with `driverFromPackage` its driver came from the package's INF already, so the probe reports it
  // attached, not installed), and what the 64-bit host does in install mode (see tool::Scenario).
  void AddSettings(const std::string& keys) { extraSettings_ += keys; }
  void Use64BitWindows() { scenario_.wow64 = true; }
  void AttachPrinter(bool driverFromPackage = true, const std::string& port = "USB001");
  void HostDoes(const std::string& behaviour) { scenario_.host = behaviour; }

  // The program started on the machine, with short texts; made at first use.
  tool::ScenarioInstall& Program();
  sim::Machine& Machine() { return Program().Machine(); }
  // The user installs model 0; the UI thread is played until the window is given back.
  void Install() { Program().Install(0); }
  install::InstallRunner& Runner() { return Program().Runner(); }
  ui::HeadlessFormMainWindow& Classic();
  ui::HeadlessFormInstallingWindow& Progress();

  // The text of every message box, in order.
  std::vector<ustring> BoxTexts();
  // Starts of the 64-bit host in install mode.
  int HostInstallStarts();

 private:
  sim::HostFolder packageFolder_;
  std::filesystem::path package_ = packageFolder_.Path();
  std::string extraSettings_;
  tool::Scenario scenario_;
  std::unique_ptr<tool::ScenarioInstall> program_;
};

}  // namespace prn::testing
