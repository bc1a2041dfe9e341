#include "sim/window_messages.h"

namespace prn::sim {

void SimWindows::Register(sys::WindowHandle window, Handler handler) {
  std::lock_guard lock(mutex_);
  handlers_[window] = std::move(handler);
}

void SimWindows::Unregister(sys::WindowHandle window) {
  std::lock_guard lock(mutex_);
  handlers_.erase(window);
}

void SimWindows::Send(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam) {
  Handler handler;
  {
    std::lock_guard lock(mutex_);
    sent_.push_back({window, message, wParam, lParam});
    if (auto found = handlers_.find(window); found != handlers_.end()) handler = found->second;
  }
  // Outside the lock: the handler may send messages of its own.
  if (handler) handler(message, wParam, lParam);
}

std::vector<SimWindows::SentMessage> SimWindows::Sent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

}  // namespace prn::sim
