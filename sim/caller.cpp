#include "sim/caller.h"

namespace prn::sim {

namespace {
thread_local bool runsAs64Bit = false;
}

bool CallerIs64Bit() { return runsAs64Bit; }

As64BitProcess::As64BitProcess() : previous_(runsAs64Bit) { runsAs64Bit = true; }

As64BitProcess::~As64BitProcess() { runsAs64Bit = previous_; }

}  // namespace prn::sim
