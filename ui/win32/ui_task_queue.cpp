#include "ui/win32/ui_task_queue.h"

namespace prn::ui {

void UiTaskQueue::Attach(HWND window) {
  std::lock_guard<std::mutex> hold(mutex_);
  window_ = window;
  detached_ = false;
  if (!tasks_.empty()) PostMessageW(window_, kRunQueuedTasks, 0, 0);
}

void UiTaskQueue::Detach() {
  std::lock_guard<std::mutex> hold(mutex_);
  window_ = nullptr;
  detached_ = true;
  tasks_.clear();
}

void UiTaskQueue::Post(std::function<void()> task) {
  std::lock_guard<std::mutex> hold(mutex_);
  if (detached_) return;
  const bool first = tasks_.empty();
  tasks_.push_back(std::move(task));
  if (first && window_) PostMessageW(window_, kRunQueuedTasks, 0, 0);
}

void UiTaskQueue::RunQueued() {
  std::deque<std::function<void()>> tasks;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    tasks.swap(tasks_);
  }
  for (auto& task : tasks) task();
}

}  // namespace prn::ui
