#pragma once
// A program with a known behaviour, as a machine starts it: the file that
// runs and the command line that names it.

#include "text/ustring.h"

namespace prn::contract {

struct TestCommand {
  ustring program;      // full path
  ustring commandLine;  // names the program quoted
};

}  // namespace prn::contract
