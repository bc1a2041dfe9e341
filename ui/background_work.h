#pragma once
// Work that would freeze the window (a deletion that runs the printer UI and
// waits for it) runs on a thread of its own; its completion is posted back
// to the window thread.

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "sys/ui_thread.h"

namespace prn::ui {

class BackgroundWork {
 public:
  virtual ~BackgroundWork() = default;
  // `work` runs elsewhere; `done` runs afterwards on the window thread.
  virtual void Run(std::function<void()> work, std::function<void()> done) = 0;
};

class ThreadedWork : public BackgroundWork {
 public:
  explicit ThreadedWork(sys::UiTasks& tasks) : tasks_(tasks) {}
  // Waits for work that is still running: nothing is left half done.
  ~ThreadedWork() override;
  ThreadedWork(const ThreadedWork&) = delete;
  ThreadedWork& operator=(const ThreadedWork&) = delete;

  void Run(std::function<void()> work, std::function<void()> done) override;

 private:
  sys::UiTasks& tasks_;
  std::mutex mutex_;
  std::vector<std::thread> threads_;
};

}  // namespace prn::ui
