// The 64-bit host's command line, end to end: any values the installer might
// hand over (paths, a hardware ID from the package, a window handle) are
// either refused by the installer, or its command line, split and read back
// by the host's own parser, gives exactly those values.

#include <cstdlib>

#include "fuzz_input.h"
#include "install/host_command_line.h"
#include "native/host64/host_arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  fuzz::Fields fields(data, size);
  install::HostCommand command;
  command.windowHandle = fields.Number64();
  const bool findMode = fields.Byte() & 1;
  command.hostPath = fields.Text();
  command.libraryPath = fields.Text();
  command.infPath = fields.Text();
  command.hardwareId = fields.Text();
  if (findMode) command.resultFile = fields.Text();

  std::optional<ustring> line = install::BuildHostCommandLine(command);
  if (!line) return 0;  // refused: nothing reaches the host

  const host64::HostArguments parsed = host64::ParseHostCommandLine(*line);
  if (parsed.dll != command.libraryPath || parsed.inf != command.infPath || parsed.hardwareId != command.hardwareId ||
      parsed.FindMode() != findMode || (findMode && parsed.resultFile != *command.resultFile) ||
      parsed.window != static_cast<uint32_t>(command.windowHandle)) {
    std::abort();
  }
  return 0;
}
