#include "sim/ui_thread.h"

namespace prn::sim {

void SimUiThread::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  posted_.notify_all();
}

size_t SimUiThread::RunPending() {
  size_t ran = 0;
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard lock(mutex_);
      if (tasks_.empty()) return ran;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
    ++ran;
  }
}

bool SimUiThread::WaitForPending(size_t count, std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return posted_.wait_for(lock, limit, [this, count] { return tasks_.size() >= count; });
}

size_t SimUiThread::Pending() const {
  std::lock_guard lock(mutex_);
  return tasks_.size();
}

}  // namespace prn::sim
