#pragma once
// The UI thread's task road on Windows: one hidden message-only window of the
// thread that made this object. Post queues the task and posts one message
// (never sends, so a poster never waits for a busy UI thread); the window
// runs the tasks when the thread's message loop, or any modal loop on it,
// dispatches that message.

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

#include "sys/ui_thread.h"

namespace prn::win32 {

class Win32UiThread : public sys::UiThread {
 public:
  Win32UiThread();
  ~Win32UiThread() override;
  Win32UiThread(const Win32UiThread&) = delete;
  Win32UiThread& operator=(const Win32UiThread&) = delete;

  void Post(std::function<void()> task) override;
  bool IsCurrent() const override { return GetCurrentThreadId() == threadId_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // One task; what it posts, and tasks a nested loop inside it runs, keep their order.
  void RunOne();

  const DWORD threadId_ = GetCurrentThreadId();
  HWND window_ = nullptr;
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace prn::win32
