#pragma once
// The command line: `program [language [MANAGER]]`, read by position.

#include "text/ustring.h"

namespace prn::app {

struct CommandLine {
  ustring langCode;     // "EN", "SC" or "TC" as typed; empty for anything else
  bool manager = false; // "MANAGER" in position 2, any case
};

// `parameters` without the program's own name.
CommandLine ParseCommandLine(const StringList& parameters);

}  // namespace prn::app
