#pragma once
// The run's view of its window from the worker thread: every request is
// posted to the UI thread, where the window itself carries it out. Only the
// search window is waited for, because the run goes on after it has closed.

#include <functional>

#include "install/install_window.h"

namespace prn::install {

// Hands a task to the window's UI thread (a UiQueue, or the Win32 window
// layer's task queue) and returns without waiting.
using PostToUi = std::function<void(std::function<void()>)>;

class QueuedInstallWindow : public InstallWindow {
 public:
  // `window` is used on the UI thread only.
  QueuedInstallWindow(PostToUi post, InstallWindow& window) : post_(std::move(post)), window_(window) {}

  sys::WindowHandle Handle() const override { return window_.Handle(); }
  void DisableControls() override { Post(&InstallWindow::DisableControls); }
  void RestoreControls() override { Post(&InstallWindow::RestoreControls); }
  void ShowSearchWindow() override;
  void StartWatchdog() override { Post(&InstallWindow::StartWatchdog); }
  void StopWatchdog() override { Post(&InstallWindow::StopWatchdog); }
  void ShowFinished() override { Post(&InstallWindow::ShowFinished); }
  void CloseProgress() override { Post(&InstallWindow::CloseProgress); }
  void EndApplication() override { Post(&InstallWindow::EndApplication); }

 private:
  void Post(void (InstallWindow::*request)()) {
    post_([this, request] { (window_.*request)(); });
  }

  PostToUi post_;
  InstallWindow& window_;
};

}  // namespace prn::install
