#pragma once
// Work handed to the UI thread: any thread posts, the UI thread runs the
// tasks in order. The Win32 view wakes its thread through `wake` (a
// WM_APP message to its window); a simulated UI thread waits for tasks.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace prn::install {

class UiQueue {
 public:
  using Task = std::function<void()>;

  // Set before any other thread posts.
  void SetWake(std::function<void()> wake) { wake_ = std::move(wake); }
  void Post(Task task);
  // UI thread: runs what is queued now; answers how many ran.
  size_t Drain();
  // UI thread: waits until something is queued or the time has passed.
  bool WaitForTask(std::chrono::milliseconds limit);

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<Task> tasks_;
  std::function<void()> wake_;
};

}  // namespace prn::install
