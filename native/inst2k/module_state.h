#pragma once
// The values the library keeps in its loaded module. All are zero when the
// module is loaded and live until it is unloaded.

#include <cstdint>

#include "sys/dialogs.h"

namespace prn::inst2k {

struct ModuleState {
  std::uintptr_t ModuleHandle = 0;      // for string-table lookups
  sys::WindowHandle OwnerWindow = 0;    // owner of every message box
  int32_t DebugMode = 0;                // entry boxes of the two main exports
  int32_t ShowErrorBoxes = 0;           // failure and missing-INF boxes
  int32_t RootIdEnabled = 0;            // root-enumerated devices count in a search
  uint32_t LastErrorCode = 0;           // the code of the last reported failure
};

}  // namespace prn::inst2k
