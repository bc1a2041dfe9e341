#pragma once
// A window's install machinery, wired once: the run on its worker thread,
// the queue through which the worker reaches the window, and the host's
// report. The window forwards its 0x401/0x402 messages and its watchdog
// ticks here, on its UI thread, and drains the queue.

#include <memory>

#include "install/hardware_refresh_thread.h"
#include "install/host_report.h"
#include "install/install_worker.h"
#include "install/queued_install_window.h"
#include "install/run/install_run.h"
#include "install/ui_queue.h"

namespace prn::install {

class InstallSession {
 public:
  // `services.window` is the window on its UI thread; the run gets the
  // queued view of it. Without `post` the worker's requests wait in Queue()
  // for a UI thread that drains it. Everything handed in outlives the session.
  explicit InstallSession(InstallServices services, PostToUi post = {});
  ~InstallSession();
  InstallSession(const InstallSession&) = delete;
  InstallSession& operator=(const InstallSession&) = delete;

  // Starts a run on the worker; false while one runs.
  bool Start(bool prompt);
  bool Running() const { return worker_.Running(); }
  // Re-reads the device tree in the background (the 32-bit library's RefreshHW).
  void RefreshDevices();
  void WaitForEnd() { worker_.Join(); }

  // UI thread: the window's 0x401/0x402. Only the classic window maps them;
  // the progress window leaves them without effect. True when taken as the report.
  bool OnHostMessage(uint32_t message, uint32_t lParam);
  // UI thread: the 5-second watchdog, acting only during a 64-bit install.
  void OnWatchdogTimer();

  // The requests of the worker when no other route to the UI thread was given.
  UiQueue& Queue() { return queue_; }
  const InstallRun& Run() const { return *run_; }
  const InstallContext& Context() const { return *context_; }

 private:
  InstallContext* context_;
  bool takesHostMessages_;
  sys::Platform platform_;
  UiQueue queue_;
  HostReport report_;
  HardwareRefreshThread refresh_;
  std::unique_ptr<QueuedInstallWindow> window_;
  std::unique_ptr<InstallRun> run_;
  InstallWorker worker_;
};

}  // namespace prn::install
