#pragma once
// Windows of the simulated machine as far as other processes reach them: a
// test registers a handle with what its window does with a message, and a
// simulated program's SendMessageW runs that before it returns. A message to
// a handle nobody registered is dropped, as a window that maps no message
// drops it.

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "sys/dialogs.h"

namespace prn::sim {

class SimWindows {
 public:
  using Handler = std::function<void(uint32_t message, uintptr_t wParam, uint32_t lParam)>;

  struct SentMessage {
    sys::WindowHandle window = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    uint32_t lParam = 0;
  };

  void Register(sys::WindowHandle window, Handler handler);
  void Unregister(sys::WindowHandle window);
  // SendMessageW: returns once the window's handler has run.
  void Send(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam);
  // Every message sent, to registered windows or not.
  std::vector<SentMessage> Sent() const;

 private:
  mutable std::mutex mutex_;
  std::map<sys::WindowHandle, Handler> handlers_;
  std::vector<SentMessage> sent_;
};

}  // namespace prn::sim
