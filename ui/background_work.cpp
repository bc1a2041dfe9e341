#include "ui/background_work.h"

namespace prn::ui {

ThreadedWork::~ThreadedWork() {
  std::vector<std::pair<uint64_t, std::thread>> threads;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    threads.swap(threads_);
  }
  for (auto& entry : threads) entry.second.join();
}

void ThreadedWork::Run(std::function<void()> work, std::function<void()> done) {
  std::lock_guard<std::mutex> hold(mutex_);
  const uint64_t id = ++lastId_;
  threads_.emplace_back(id, std::thread([this, id, work = std::move(work), done = std::move(done)]() mutable {
    work();
    // The thread's last act: joining it waits only for its return.
    tasks_.Post([this, id, done = std::move(done)] {
      Join(id);
      done();
    });
  }));
}

void ThreadedWork::Join(uint64_t id) {
  std::thread finished;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    for (auto entry = threads_.begin(); entry != threads_.end(); ++entry) {
      if (entry->first != id) continue;
      finished = std::move(entry->second);
      threads_.erase(entry);
      break;
    }
  }
  if (finished.joinable()) finished.join();
}

}  // namespace prn::ui
