#include "sys/win32/ui_thread.h"

namespace prn::win32 {

namespace {
constexpr wchar_t kClassName[] = L"PrnSetupUiTasks";
constexpr UINT kRunTask = WM_APP + 0x3F0;
}  // namespace

Win32UiThread::Win32UiThread() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &Win32UiThread::WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);  // fails harmlessly when a second instance registers again
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32UiThread::~Win32UiThread() {
  {
    std::lock_guard lock(mutex_);
    tasks_.clear();
  }
  if (window_) DestroyWindow(window_);
}

void Win32UiThread::Post(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(task));
  PostMessageW(window_, kRunTask, 0, 0);
}

void Win32UiThread::RunOne() {
  std::function<void()> task;
  {
    std::lock_guard lock(mutex_);
    if (tasks_.empty()) return;
    task = std::move(tasks_.front());
    tasks_.pop_front();
  }
  try {
    task();
  } catch (...) {
    // A task reports its own errors; none may leave the window procedure.
  }
}

LRESULT CALLBACK Win32UiThread::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunTask) {
    if (auto* self = reinterpret_cast<Win32UiThread*>(GetWindowLongPtrW(window, GWLP_USERDATA))) self->RunOne();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace prn::win32
