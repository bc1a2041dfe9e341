#pragma once
// Re-reading the device tree in the background while the user answers the
// install questions. The owner joins the thread when it goes, so the thread
// never outlives the machine interfaces it was handed.

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

  // Starts RefreshSystemHW on a thread of its own and returns at once; an
  // earlier refresh of this owner is waited for first.
  void Start(const sys::Platform& platform, const ustring& libraryPath);
  // Blocks until the running refresh, if any, has ended.
  void Wait();

 private:
  std::thread thread_;
};

// Starts the background refresh on the window's owner.
void RefreshSystemHW_Thread(HardwareRefreshThread& owner, const sys::Platform& platform,
                            const ustring& libraryPath);

}  // namespace prn::install
