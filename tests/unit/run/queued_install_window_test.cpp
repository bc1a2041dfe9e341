// The worker's view of its window: the search window is the one request the
// run waits for, and it must not wait for ever when its window is gone.
#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "install/queued_install_window.h"

namespace prn::install {
namespace {

class CountingWindow : public InstallWindow {
 public:
  sys::WindowHandle Handle() const override { return {}; }
  void DisableControls() override {}
  void RestoreControls() override {}
  void ShowSearchWindow() override { ++searches; }
  void StartWatchdog() override {}
  void StopWatchdog() override {}
  void ShowFinished() override {}
  void CloseProgress() override {}
  void EndApplication() override {}
  int searches = 0;
};

TEST(QueuedInstallWindowTest, SearchWindowWaitsForTheUiThreadAndIsReleasedWhenItsTaskIsDropped) {
  CountingWindow window;
  // Run on "the UI thread": a second thread that carries the task out.
  QueuedInstallWindow runs([](std::function<void()> task) { std::thread(std::move(task)).join(); }, window);
  runs.ShowSearchWindow();
  EXPECT_EQ(window.searches, 1);

  // A window that has gone drops what is posted to it, unrun.
  QueuedInstallWindow dropped([](std::function<void()> task) { task = nullptr; }, window);
  dropped.ShowSearchWindow();  // returns instead of hanging the run
  EXPECT_EQ(window.searches, 1);
}

}  // namespace
}  // namespace prn::install
