#pragma once
// A window without a screen, for running installs where there is no
// desktop (the scenario runner, tests): it keeps what a real window would
// show, and its UI thread is the caller of RunHeadless, which plays the
// message loop with simulated time.

#include <chrono>
#include <functional>

#include "install/install_window.h"
#include "install/run/install_session.h"

namespace prn::install {

class HeadlessWindow : public InstallWindow {
 public:
  explicit HeadlessWindow(sys::WindowHandle handle) : handle_(handle) {}

  sys::WindowHandle Handle() const override { return handle_; }
  void DisableControls() override { controlsEnabled = false; }
  void RestoreControls() override { controlsEnabled = true; }
  void ShowSearchWindow() override { ++searchWindowShown; }
  void StartWatchdog() override { watchdogOn = true; }
  void StopWatchdog() override { watchdogOn = false; }
  void ShowFinished() override { finished = true; }
  void CloseProgress() override { ++closed; }
  void EndApplication() override { applicationEnded = true; }

  bool controlsEnabled = true;
  bool watchdogOn = false;
  bool finished = false;
  bool applicationEnded = false;
  int searchWindowShown = 0;
  int closed = 0;
  // Watchdog periods that passed while the run waited.
  int watchdogTicks = 0;

 private:
  sys::WindowHandle handle_;
};

// Plays the UI thread until the session's run has ended: runs what the
// worker posts and, while `watchdogOn` says so, lets one watchdog period
// pass (`watchdogTick`) whenever the worker has nothing more to say.
// `busy`, when given, hears how long each drain or tick kept the thread.
using BusyObserver = std::function<void(std::chrono::nanoseconds)>;
void PlayUiThread(InstallSession& session, const std::function<bool()>& watchdogOn,
                  const std::function<void()>& watchdogTick, const BusyObserver& busy = {});
// The same for a headless window, counting the periods in it.
void RunHeadless(InstallSession& session, HeadlessWindow& window, const BusyObserver& busy = {});

}  // namespace prn::install
