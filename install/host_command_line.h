#pragma once
// The 64-bit host's command line as the installer writes it. Every value must
// reach the host's parser (SplitCommandLine, then the switch rules of
// host64::ParseHostArguments) exactly as meant; a value that cannot is
// refused instead of being passed in a form the host would read otherwise.

#include <cstdint>
#include <optional>

#include "text/ustring.h"

namespace prn::install {

struct HostCommand {
  ustring hostPath;       // first, in quotes: a blank in it must not start C:\Program.exe
  uint64_t windowHandle;  // "/Handle": only its low 32 bits travel
  ustring libraryPath;    // "/Dll", a full path
  ustring infPath;        // "/Inf", a full path
  ustring hardwareId;     // "/HWID", unquoted
  std::optional<ustring> resultFile;  // "/FindHWID": selects find mode
};

// A hardware ID travels unquoted, so it may hold no blank, tab or quote, may
// not begin with "/" (the host would read a switch) and may not be empty.
bool IsPassableHardwareId(ustring_view id);
// A quoted value: no double quote, no zero, not empty and not beginning with "/".
bool IsPassableValue(ustring_view value);

// The command line; nothing when a value is not passable.
std::optional<ustring> BuildHostCommandLine(const HostCommand& command);

}  // namespace prn::install
