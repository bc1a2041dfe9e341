// A whole install of the example package on the simulated machine, per route:
// the wall time of a run, and the longest stretch for which the UI thread
// was kept from its messages (goal: none over 50 ms; the worker waits).
// Not a timed test: it fails only when an install could not be run.
//
// In the simulation the 64-bit host does its work when the watchdog asks
// whether it has ended, that is on the UI thread; a real host is another
// process, so the 64-bit route's longest stretch here includes the host's work.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "sim/host_folder.h"
#include "tools/prnsetup-tool/install_scenario.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Route {
  const char* name;
  const char* scenario;
};

constexpr Route kRoutes[] = {
    {"offline, 64-bit, empty machine", R"({})"},
    {"plug and play, 32-bit", R"({"wow64": false, "devices": [{"hwid": "QuillonQX17A3F", "port": "USB001",
       "driver_installed": true}]})"},
    {"plug and play, 64-bit host", R"({"devices": [{"hwid": "QuillonQX17A3F", "port": "USB001",
       "driver_installed": true}]})"},
};
constexpr int kRuns = 10;

}  // namespace

int main() {
  prn::sim::HostFolder folder;
  std::printf("%-34s %12s %16s\n", "route", "run (ms)", "UI longest (ms)");
  for (const Route& route : kRoutes) {
    const auto scenarioFile = folder.Path() / "scenario.json";
    std::ofstream(scenarioFile) << route.scenario;
    double totalMs = 0;
    std::chrono::nanoseconds longest{0};
    for (int run = 0; run < kRuns; ++run) {
      prn::tool::InstallOptions options;
      options.setupIni = std::filesystem::path(PRN_SOURCE_DIR) / "examples/package/Setup.Ini";
      options.scenario = scenarioFile;
      options.uiBusy = [&longest](std::chrono::nanoseconds busy) { longest = std::max(longest, busy); };
      std::ostringstream out, err;
      const auto start = Clock::now();
      if (prn::tool::RunInstall(options, out, err) != 0) {
        std::fprintf(stderr, "%s: %s", route.name, err.str().c_str());
        return 1;
      }
      totalMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    std::printf("%-34s %12.1f %16.2f\n", route.name, totalMs / kRuns,
                std::chrono::duration<double, std::milli>(longest).count());
  }
  return 0;
}
