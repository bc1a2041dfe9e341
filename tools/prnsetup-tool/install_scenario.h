#pragma once
// `prnsetup-tool install`: a whole install of a package's model on the
// simulated machine, from start-up to the last message box, in the
// installer window that the package's settings select, wired as the program
// wires it; described by a scenario and reported as one JSON object.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>

#include "config/process_values.h"
#include "sim/machine.h"
#include "tools/prnsetup-tool/scenario_file.h"
#include "sim/headless/headless_windows.h"

namespace prn::tool {

// The installer window's handle on the simulated machine (the 64-bit host reports to it).
constexpr sys::WindowHandle kScenarioWindow = 0x10016;

// A simulated machine as the scenario describes it, with the package beside
// the installer and start-up done as the program does it.
class ScenarioInstall {
 public:
  // Raises prn::Error when the package cannot be read or start-up stops.
  ScenarioInstall(const std::filesystem::path& setupIni, const Scenario& scenario, uint16_t langId);
  ~ScenarioInstall();

  // The user installs model `model` in the installer window that settings
  // entry 0 selects (made at the first install and kept for the next), every
  // box answered as the scenario says; the report of the run (see the
  // README). Raises prn::Error for a model the window cannot install.
  nlohmann::ordered_json Install(int model, const ui::BusyObserver& busy = {});

  // The installer window that settings entry 0 selects, made once.
  install::InstallRunner& OpenWindow();

  sim::Machine& Machine() { return machine_; }
  // Start-up's values; a test may change the texts before an install.
  config::ProcessValues& Values() { return values_; }
  // The window of the installs, once there was one.
  ui::HeadlessFormMainWindow* ClassicWindow() { return classic_.get(); }
  ui::HeadlessFormInstallingWindow* ProgressWindow() { return progress_.get(); }
  install::InstallRunner& Runner();

 private:
  void AttachDevices(const config::TRInstallInfo& entry);

  Scenario scenario_;
  sim::Machine machine_;
  config::ProcessValues values_;
  bool devicesAttached_ = false;
  std::unique_ptr<ui::HeadlessFormMainWindow> classic_;
  std::unique_ptr<ui::HeadlessFormInstallingWindow> progress_;
};

struct InstallOptions {
  std::filesystem::path setupIni;
  std::optional<std::filesystem::path> scenario;
  std::optional<Scenario> scenarioValue;  // a scenario built in code, used instead of the file
  int model = 0;
  uint16_t langId = 0x0409;
  // Hears how long each piece of the simulated UI thread's work took.
  ui::BusyObserver uiBusy;
};

// 0 when the install ran (whatever its outcome); 1 when the package or the
// scenario cannot be read, with the reason on `err`.
int RunInstall(const InstallOptions& options, std::ostream& out, std::ostream& err);

}  // namespace prn::tool
