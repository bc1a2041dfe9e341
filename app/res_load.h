#pragma once
// Start-up's loading step: the per-run work folder with what the executable
// carries, the optional Resource folder, then Setup.Ini and the language file.

#include "config/process_values.h"
#include "sys/platform.h"

namespace prn::app {

using config::ProcessValues;

enum class ResLoadResult {
  Loaded,
  SetupIniMissing,  // the user has been told; the program ends
};

// Raises prn::Error with a text for the user when a step fails.
ResLoadResult ResLoad(const ustring& langCode, const sys::Platform& platform, ProcessValues& values);

}  // namespace prn::app
