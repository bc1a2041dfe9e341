#pragma once
// Which windows start-up creates, in which order. The first one created is
// the main window: closing it ends the program.

#include <cstdint>
#include <vector>

#include "text/ustring.h"

namespace prn::app {

enum class FormKind {
  TFormMain,        // classic installer window
  TFormMainV2,      // skinned installer window
  TFormInstalling,  // progress window of the skinned window
  TFormManager,     // printer and port manager
  TFormAddNetPort,  // add network port dialog
  TFormAddPort,     // add port dialog
  TFormSearching,   // search window of an install
  TFormTemp,        // notice window
};

// The `ViewMode` of settings entry 0 (the stored value divided by ten) that
// selects the skinned installer window; anything else gets the classic one.
constexpr bool SelectsSkinnedWindow(int32_t viewMode) { return viewMode == 2; }

// The creation order for the command line's manager wish and the `ViewMode`
// of settings entry 0.
std::vector<FormKind> PlanWindows(bool manager, int32_t viewMode);

// The class name, e.g. "TFormMain".
ustring FormClassName(FormKind kind);

}  // namespace prn::app
