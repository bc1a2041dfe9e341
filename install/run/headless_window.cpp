#include "install/run/headless_window.h"

namespace prn::install {

namespace {
// How long the worker may stay silent before a watchdog period is let pass.
constexpr std::chrono::milliseconds kQuietWorker{5};
}  // namespace

void PlayUiThread(InstallSession& session, const std::function<bool()>& watchdogOn,
                  const std::function<void()>& watchdogTick) {
  UiQueue& queue = session.Queue();
  while (session.Running()) {
    if (queue.WaitForTask(kQuietWorker)) {
      queue.Drain();
    } else if (watchdogOn()) {
      watchdogTick();
    }
  }
  session.WaitForEnd();
  queue.Drain();
}

void RunHeadless(InstallSession& session, HeadlessWindow& window) {
  PlayUiThread(
      session, [&window] { return window.watchdogOn; },
      [&] {
        ++window.watchdogTicks;
        session.OnWatchdogTimer();
      });
}

}  // namespace prn::install
