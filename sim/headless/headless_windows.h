#pragma once
// The installer windows without a desktop, for the scenario runner and the
// tests: the real window models, wired as the program wires them, with views
// that keep what a screen would show. The simulated machine's thread plays
// the UI thread: it runs what the run posts and lets the 5-second watchdog
// tick while the run waits for the 64-bit host.

#include <chrono>
#include <functional>
#include <memory>

#include "sim/machine.h"
#include "ui/installer/form_installing.h"
#include "ui/installer/form_main.h"

namespace prn::ui {

// Hears how long each piece of the UI thread's work kept it busy.
using BusyObserver = std::function<void(std::chrono::nanoseconds)>;

// Plays the machine's UI thread until `done` answers true: runs what was
// posted and, whenever nothing comes for a moment while `watchdogOn` says
// so, lets one watchdog period pass (`watchdogTick`).
void PlayUiThread(sim::Machine& machine, const std::function<bool()>& done, const std::function<bool()>& watchdogOn,
                  const std::function<void()>& watchdogTick, const BusyObserver& busy = {});

// The classic window (TFormMain).
class HeadlessFormMainWindow : private FormMainView {
 public:
  // Created and activated as the program does it: the list filled, entry 0 selected.
  HeadlessFormMainWindow(sim::Machine& machine, const config::ProcessValues& values, sys::WindowHandle handle);
  ~HeadlessFormMainWindow() override;

  // The user selects model `entry` and presses Install; the UI thread is
  // played until the window is given back. False when nothing started.
  bool Install(int entry, const BusyObserver& busy = {});
  TFormMain& Model() { return *model_; }

  // What the screen shows.
  bool controlsEnabled = true;
  bool watchdogOn = false;
  bool closed = false;
  int searchWindowShown = 0;
  int watchdogTicks = 0;  // periods that passed while a run waited

 private:
  sys::WindowHandle Handle() const override { return handle_; }
  void SetRunning(bool running) override { controlsEnabled = !running; }
  void ShowSearchWindow() override { ++searchWindowShown; }
  void EnableWatchdogTimer(bool enabled) override { watchdogOn = enabled; }
  void Close() override { closed = true; }

  sim::Machine& machine_;
  sys::WindowHandle handle_;
  std::unique_ptr<TFormMain> model_;
};

// The skinned installer's progress window (TFormInstalling).
class HeadlessFormInstallingWindow : private FormInstallingView {
 public:
  HeadlessFormInstallingWindow(sim::Machine& machine, const config::ProcessValues& values, sys::WindowHandle handle);
  ~HeadlessFormInstallingWindow() override;

  // Shown modally: the start timer starts the run, and the UI thread is
  // played until the run closes the window.
  void Install(const BusyObserver& busy = {});
  TFormInstalling& Model() { return *model_; }

  bool watchdogOn = false;
  bool finished = false;  // the bar full, "install end"
  int closed = 0;
  int watchdogTicks = 0;

 private:
  sys::WindowHandle Handle() const override { return handle_; }
  void SetBarPosition(int position) override { finished = position == kBarMaximum; }
  void SetLabel(const ustring&) override {}
  void EnableTimer(InstallingTimer timer, bool enabled) override;
  void Close() override { ++closed; }

  sim::Machine& machine_;
  sys::WindowHandle handle_;
  bool startTimerOn_ = false;
  std::unique_ptr<TFormInstalling> model_;
};

}  // namespace prn::ui
