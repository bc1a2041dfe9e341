#pragma once
// The thread that runs a window's install. One at a time: a start while a
// run is going on is refused. The owner joins the thread when it goes.

#include <atomic>
#include <functional>
#include <thread>

namespace prn::install {

class InstallWorker {
 public:
  InstallWorker() = default;
  InstallWorker(const InstallWorker&) = delete;
  InstallWorker& operator=(const InstallWorker&) = delete;
  ~InstallWorker() { Join(); }

  // Starts `body` on a new thread; false (and nothing started) while one runs.
  bool Start(std::function<void()> body);
  bool Running() const { return running_; }
  void Join();

 private:
  std::thread thread_;
  std::atomic<bool> running_{false};
};

}  // namespace prn::install
