#pragma once
// The UI thread of a machine without a desktop (tests, the scenario runner):
// the thread that made it is the UI thread, and it plays its message loop by
// running what was posted, in order.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "sys/ui_thread.h"

namespace prn::sim {

class SimUiThread : public sys::UiThread {
 public:
  void Post(std::function<void()> task) override;
  bool IsCurrent() const override { return std::this_thread::get_id() == owner_; }

  // UI thread: runs what is queued, one task at a time, including what those
  // tasks post; answers how many ran.
  size_t RunPending();
  // UI thread: waits until something is queued or `limit` has passed.
  bool WaitForTask(std::chrono::milliseconds limit) { return WaitForPending(1, limit); }
  // Waits until `count` tasks are queued or `limit` has passed.
  bool WaitForPending(size_t count, std::chrono::milliseconds limit);
  size_t Pending() const;

 private:
  const std::thread::id owner_ = std::this_thread::get_id();
  mutable std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace prn::sim
