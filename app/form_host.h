#pragma once
// The GUI toolkit as the shell drives it: windows are created in the order the
// shell asks for, the first one becomes the main window, and the message loop
// runs until the main window has closed.

#include <functional>

#include "app/window_plan.h"

namespace prn::app {

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

}  // namespace prn::app
