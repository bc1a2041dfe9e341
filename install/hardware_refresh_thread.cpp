#include "install/hardware_refresh_thread.h"

#include "install/device_library_calls.h"

namespace prn::install {

void HardwareRefreshThread::Start(const sys::Platform& platform, const ustring& libraryPath) {
  std::unique_lock<std::mutex> lock(mutex_);
  platform_ = platform;
  libraryPath_ = libraryPath;
  if (running_) {
    again_ = true;
    return;
  }
  running_ = true;
  again_ = false;
  // The previous thread has said it is done; joining it only collects it.
  std::thread finished = std::move(thread_);
  lock.unlock();
  if (finished.joinable()) finished.join();
  lock.lock();
  thread_ = std::thread([this] { Run(); });
}

void HardwareRefreshThread::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    const sys::Platform platform = platform_;
    const ustring libraryPath = libraryPath_;
    lock.unlock();
    RefreshSystemHW(platform, libraryPath);
    lock.lock();
    if (!again_) break;
    again_ = false;
  }
  running_ = false;
}

void HardwareRefreshThread::Wait() {
  std::thread running;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    running = std::move(thread_);
  }
  if (running.joinable()) running.join();
}

void RefreshSystemHW_Thread(HardwareRefreshThread& owner, const sys::Platform& platform,
                            const ustring& libraryPath) {
  owner.Start(platform, libraryPath);
}

}  // namespace prn::install
