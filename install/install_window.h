#pragma once
// What an install run asks of the window that hosts it. The run calls these
// on its worker thread; an implementation hands each to the window's UI
// thread (the worker never touches a window itself) and returns.

#include "sys/window_handle.h"

namespace prn::install {

class InstallWindow {
 public:
  virtual ~InstallWindow() = default;

  // Owner of the run's message boxes, and the handle the 64-bit host reports to.
  virtual sys::WindowHandle Handle() const = 0;
  // Classic window: the start, exit, model list and manager controls off, hourglass cursor.
  virtual void DisableControls() = 0;
  // Classic window: shown again, the controls on, the normal cursor, focus on exit.
  virtual void RestoreControls() = 0;
  // Classic window: hidden while the search window shows; returns when that has closed.
  virtual void ShowSearchWindow() = 0;
  // The 5-second watchdog of the 64-bit host on and off.
  virtual void StartWatchdog() = 0;
  virtual void StopWatchdog() = 0;
  // Progress window: the bar full, the label "install end" (SetDriverInstallFinish).
  virtual void ShowFinished() = 0;
  // Progress window: ends its modal display.
  virtual void CloseProgress() = 0;
  // Windows is restarting at the user's wish: the application closes.
  virtual void EndApplication() = 0;
};

}  // namespace prn::install
