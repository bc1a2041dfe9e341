#include "install/ui_queue.h"

namespace prn::install {

void UiQueue::Post(Task task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  posted_.notify_all();
  if (wake_) wake_();
}

size_t UiQueue::Drain() {
  std::deque<Task> ready;
  {
    std::lock_guard lock(mutex_);
    ready.swap(tasks_);
  }
  for (Task& task : ready) task();
  return ready.size();
}

bool UiQueue::WaitForTask(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return posted_.wait_for(lock, limit, [this] { return !tasks_.empty(); });
}

}  // namespace prn::install
