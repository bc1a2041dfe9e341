// The 64-bit host's command line (UTF-16LE input): split as the host's
// CommandLineToArgvW splits it, then read into the host's arguments.

#include <algorithm>
#include <cstdlib>

#include "fuzz_input.h"
#include "native/host64/host_arguments.h"
#include "text/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  ustring commandLine = fuzz::Utf16Units(data, size);
  StringList argv = SplitCommandLine(commandLine);
  std::vector<ustring> arguments(argv.begin() + (argv.empty() ? 0 : 1), argv.end());
  host64::HostArguments parsed = host64::ParseHostArguments(arguments);
  // A value is always one of the arguments given.
  for (const ustring* value : {&parsed.dll, &parsed.inf, &parsed.hardwareId, &parsed.resultFile}) {
    if (!value->empty() && std::find(arguments.begin(), arguments.end(), *value) == arguments.end()) {
      std::abort();
    }
  }
  (void)ArgumentsText(commandLine);
  return 0;
}
