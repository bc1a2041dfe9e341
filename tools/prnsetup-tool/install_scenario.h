#pragma once
// `prnsetup-tool install`: a whole install of a package's model on the
// simulated machine, from start-up to the last message box, described by a
// scenario and reported as one JSON object.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>

#include "install/run/headless_window.h"
#include "tools/prnsetup-tool/scenario_file.h"

namespace prn::tool {

struct InstallOptions {
  std::filesystem::path setupIni;
  std::optional<std::filesystem::path> scenario;
  std::optional<Scenario> scenarioValue;  // a scenario built in code, used instead of the file
  int model = 0;
  uint16_t langId = 0x0409;
  // Hears how long each piece of the simulated UI thread's work took.
  install::BusyObserver uiBusy;
};

// 0 when the install ran (whatever its outcome); 1 when the package or the
// scenario cannot be read, with the reason on `err`.
int RunInstall(const InstallOptions& options, std::ostream& out, std::ostream& err);

}  // namespace prn::tool
