#include "install/hardware_refresh_thread.h"

#include "install/device_library_calls.h"

namespace prn::install {

void HardwareRefreshThread::Start(const sys::Platform& platform, const ustring& libraryPath) {
  Wait();
  thread_ = std::thread([platform, libraryPath] { RefreshSystemHW(platform, libraryPath); });
}

void HardwareRefreshThread::Wait() {
  if (thread_.joinable()) thread_.join();
}

void RefreshSystemHW_Thread(HardwareRefreshThread& owner, const sys::Platform& platform,
                            const ustring& libraryPath) {
  owner.Start(platform, libraryPath);
}

}  // namespace prn::install
