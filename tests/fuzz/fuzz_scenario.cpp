// The scenario file of prnsetup-tool install (UTF-8 JSON): read, or refused
// with a readable error; nothing else may escape.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/error.h"
#include "tools/prnsetup-tool/scenario_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  try {
    tool::Scenario scenario = tool::ParseScenario(std::string_view(reinterpret_cast<const char*>(data), size));
    if (scenario.host != "ok" && scenario.host != "fail" && scenario.host != "hang") std::abort();
    for (const tool::ScenarioPrinter& printer : scenario.printers) {
      if (printer.name.empty()) std::abort();
    }
  } catch (const Error& error) {
    if (error.Text().empty()) std::abort();
  }
  return 0;
}
