#pragma once
// The scenario file of `prnsetup-tool install`: the simulated machine as it
// is before the run, read from JSON into plain values.

#include <string>
#include <string_view>
#include <vector>

namespace prn::tool {

struct ScenarioDevice {
  std::string hwid;
  std::string port = "USB001";
  bool driverInstalled = false;
};

struct ScenarioPrinter {
  std::string name;
  std::string driver;
  std::string port = "LPT1:";
};

struct Scenario {
  bool wow64 = true;
  int winVer = 61;  // major × 10 + minor
  std::vector<ScenarioDevice> devices;
  std::vector<ScenarioPrinter> printers;
  std::vector<int> answers;  // message box results, in order
  // The 64-bit host in install mode: "ok", "fail" (its install fails),
  // "hang" (runs on without a word for over ten minutes, then ends),
  // "silent" (ends at once without a word) or "nostart" (cannot be started).
  std::string host = "ok";
};

// Raises prn::Error with a text naming what is wrong, for any input that is
// not a scenario (bad JSON, a value of the wrong type, an unknown word).
Scenario ParseScenario(std::string_view text);

}  // namespace prn::tool
