#pragma once
// Re-reading the device tree in the background while the user answers the
// install questions. Starting never waits: while a refresh runs, a new start
// asks it for one more pass. The owner joins the thread when it goes, so the
// thread never outlives the machine interfaces it was handed.

#include <mutex>
#include <thread>

#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::install {

class HardwareRefreshThread {
 public:
  HardwareRefreshThread() = default;
  HardwareRefreshThread(const HardwareRefreshThread&) = delete;
  HardwareRefreshThread& operator=(const HardwareRefreshThread&) = delete;
  ~HardwareRefreshThread() { Wait(); }

  // Starts RefreshSystemHW on a thread of its own and returns at once; when a
  // refresh is running, it runs once more afterwards, with these values.
  void Start(const sys::Platform& platform, const ustring& libraryPath);
  // Blocks until the running refresh, if any, has ended.
  void Wait();

 private:
  void Run();

  std::mutex mutex_;
  std::thread thread_;
  bool running_ = false;
  bool again_ = false;
  sys::Platform platform_;
  ustring libraryPath_;
};

// Starts the background refresh on the window's owner.
void RefreshSystemHW_Thread(HardwareRefreshThread& owner, const sys::Platform& platform,
                            const ustring& libraryPath);

}  // namespace prn::install
