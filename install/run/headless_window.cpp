#include "install/run/headless_window.h"

namespace prn::install {

namespace {
// How long the worker may stay silent before a watchdog period is let pass.
constexpr std::chrono::milliseconds kQuietWorker{5};
}  // namespace

void RunHeadless(InstallSession& session, HeadlessWindow& window) {
  UiQueue& queue = session.Queue();
  while (session.Running()) {
    if (queue.WaitForTask(kQuietWorker)) {
      queue.Drain();
    } else if (window.watchdogOn) {
      ++window.watchdogTicks;
      session.OnWatchdogTimer();
    }
  }
  session.WaitForEnd();
  queue.Drain();
}

}  // namespace prn::install
