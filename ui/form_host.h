#pragma once
// The windows start-up creates, in which order, and the GUI toolkit as
// start-up drives it: windows are created in the order the plan asks for, the
// first one becomes the main window, and the message loop runs until the main
// window has closed.

#include <cstdint>
#include <functional>
#include <vector>

#include "text/ustring.h"

namespace prn::ui {

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

class FormHost {
 public:
  virtual ~FormHost() = default;

  // Prepares the toolkit before any window exists.
  virtual void Initialize() = 0;
  // Creates the window and runs its creation handler; it stays hidden.
  virtual void CreateForm(FormKind kind) = 0;
  // Shows the main window, calls `shown` once it is painted and has nothing
  // left to do, and dispatches messages until it has closed or termination
  // was asked for.
  virtual void RunMessageLoop(const std::function<void()>& shown) = 0;
};

}  // namespace prn::ui
