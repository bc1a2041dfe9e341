#pragma once
// The status-bar text of the classic window's 500 ms hint timer while an
// install runs: nothing before the install itself starts, then
// "Installing" and 0 to 6 full stops, then the end text.

#include <cstdint>

#include "install/install_context.h"
#include "text/ustring.h"

namespace prn::ui {

constexpr uint32_t kInstallingHintsMs = 500;

class InstallingHints {
 public:
  struct Tick {
    ustring statusText;
    bool keepRunning = false;  // false: the timer disables itself
  };

  // One tick of tmrInstallingHints for the window's install state.
  Tick OnTimer(install::TInstallProgress progress, ustring_view installing, ustring_view installEnd);

 private:
  int dots_ = 0;  // the timer's tag
};

}  // namespace prn::ui
