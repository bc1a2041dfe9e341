#pragma once
// Tasks from other threads for a window, run on the window's thread: Post
// queues the task and posts one message (never sends, so a waiting window
// cannot block the poster); the window drains the queue on that message.

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

#include "ui/task_poster.h"

namespace prn::ui {

constexpr UINT kRunQueuedTasks = WM_APP + 1;

class UiTaskQueue : public TaskPoster {
 public:
  // The window that drains; tasks posted before it exists wait for it.
  void Attach(HWND window);
  // The window goes: tasks still queued and later posts are dropped.
  void Detach();

  void Post(std::function<void()> task) override;
  // On the window thread, in answer to kRunQueuedTasks.
  void RunQueued();

 private:
  std::mutex mutex_;
  HWND window_ = nullptr;
  bool detached_ = false;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace prn::ui
