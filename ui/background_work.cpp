#include "ui/background_work.h"

namespace prn::ui {

ThreadedWork::~ThreadedWork() {
  std::vector<std::thread> threads;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    threads.swap(threads_);
  }
  for (auto& thread : threads) thread.join();
}

void ThreadedWork::Run(std::function<void()> work, std::function<void()> done) {
  std::lock_guard<std::mutex> hold(mutex_);
  threads_.emplace_back([this, work = std::move(work), done = std::move(done)]() mutable {
    work();
    tasks_.Post(std::move(done));
  });
}

}  // namespace prn::ui
