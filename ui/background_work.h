#pragma once
// Work that would freeze the window (a deletion that runs the printer UI and
// waits for it) runs on a thread of its own; its completion is posted back
// to the window thread.

#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
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

  // The thread is joined on the window thread before `done` runs: a
  // finished deletion leaves no thread handle behind.
  void Run(std::function<void()> work, std::function<void()> done) override;

 private:
  void Join(uint64_t id);

  sys::UiTasks& tasks_;
  std::mutex mutex_;
  uint64_t lastId_ = 0;
  std::vector<std::pair<uint64_t, std::thread>> threads_;
};

}  // namespace prn::ui
