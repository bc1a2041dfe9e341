#include "install/run/headless_window.h"

namespace prn::install {

namespace {
// How long the worker may stay silent before a watchdog period is let pass.
constexpr std::chrono::milliseconds kQuietWorker{5};
}  // namespace

void PlayUiThread(InstallSession& session, const std::function<bool()>& watchdogOn,
                  const std::function<void()>& watchdogTick, const BusyObserver& busy) {
  UiQueue& queue = session.Queue();
  auto timed = [&busy](const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    if (busy) busy(std::chrono::steady_clock::now() - start);
  };
  while (session.Running()) {
    if (queue.WaitForTask(kQuietWorker)) {
      timed([&queue] { queue.Drain(); });
    } else if (watchdogOn()) {
      timed(watchdogTick);
    }
  }
  session.WaitForEnd();
  timed([&queue] { queue.Drain(); });
}

void RunHeadless(InstallSession& session, HeadlessWindow& window, const BusyObserver& busy) {
  PlayUiThread(
      session, [&window] { return window.watchdogOn; },
      [&] {
        ++window.watchdogTicks;
        session.OnWatchdogTimer();
      },
      busy);
}

}  // namespace prn::install
