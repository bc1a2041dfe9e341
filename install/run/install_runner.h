#pragma once
// A window's installs, wired in one place for whichever window hosts them:
// the classic window, the skinned installer's progress window, and the
// headless windows of the scenario runner and the tests all make one of
// these, and nothing else builds a run.
//
// The way of one install, in reading order:
//   Start (UI thread)        the chosen entry is taken and kept, the window
//                            locked, the worker started;
//   Execute (worker)         the classic window's checks (InstallSelectPrinter,
//                            older drivers, the question), then
//                            DoInstallSelectPrinter: staging, the probe, one
//                            route (found installed, plug and play through the
//                            library or the 64-bit host, or offline through the
//                            printer UI), then one completion, and any retry
//                            the failure handler asks for;
//   InstallSuccPrompt / InstallFailPrompt (UI thread)
//                            the completion handlers with their boxes;
//   Finish (UI thread)       the window unlocked once the last box is answered.
// The worker reaches the window only through the UI thread's road: its
// message boxes are shown there too, and it waits for their answers.

#include <cstdint>
#include <optional>
#include <thread>

#include "install/hardware_refresh_thread.h"
#include "install/host_report.h"
#include "install/install_context.h"
#include "sys/platform.h"
#include "sys/ui_thread.h"
#include "text/ustring.h"

namespace prn::config {
struct ProcessValues;
class TInstallInfos;
struct TRInstallInfo;
struct TStrInstaller;
}  // namespace prn::config

namespace prn::install {

// The two windows that host installs differ in a few points only; each is
// marked where the run asks.
enum class InstallHost { ClassicWindow, ProgressWindow };

// What a run asks of the window that hosts it; called on the UI thread.
class InstallWindow {
 public:
  virtual ~InstallWindow() = default;
  // Owner of the run's boxes, and the handle the library and the 64-bit host
  // are given (the host reports to it with 0x401/0x402).
  virtual sys::WindowHandle Handle() const = 0;
  // Classic window: the model list, Install, Exit and the manager button
  // locked, the hourglass and the install hints on. From the start of a run
  // to its end nothing may change the choice or close the window.
  virtual void RunStarted() = 0;
  // The last box of the run is answered. Classic window: shown again when the
  // search window hid it, unlocked, focus on Exit. Progress window: closed.
  virtual void RunEnded() = 0;
  // Classic window: hidden while the search window shows; returns when that has closed.
  virtual void ShowSearchWindow() = 0;
  // The 5-second watchdog of the 64-bit host (tmrSetup64Error).
  virtual void EnableWatchdog(bool enabled) = 0;
  // Progress window: the bar full and "install end" (SetDriverInstallFinish).
  virtual void ShowFinished() = 0;
  // Windows restarts at the user's wish: the application closes.
  virtual void EndApplication() = 0;
};

// A new run the failure handler asks for: with or without the question
// before it, or at once without the user having been asked at all.
enum class Retry { None, WithPrompt, WithoutPrompt, Automatic };

// The queue the success handler configured and reported ("" when it found none).
struct InstalledQueue {
  ustring printer;
  ustring port;
};

class InstallRunner {
 public:
  // Made on the UI thread by the window that hosts the installs; `window`,
  // `values` and what `platform` points to outlive it.
  InstallRunner(InstallHost host, InstallWindow& window, const config::ProcessValues& values,
                const sys::Platform& platform);
  // Drops what the run still has for the window, lets a run waiting for the
  // 64-bit host go (the host itself is never ended), and waits for the run.
  ~InstallRunner();
  InstallRunner(const InstallRunner&) = delete;
  InstallRunner& operator=(const InstallRunner&) = delete;

  // UI thread. Starts a run of settings entry `entry`, taken now and kept for
  // the whole run and its retries; false (nothing started) while one runs.
  bool Start(int entry, bool prompt);
  // UI thread: from Start until the window is given back.
  bool Running() const { return running_; }
  // Any thread: the window's install state, for its hint timer.
  TInstallProgress Progress() const { return context_.m_InstallingProgress; }

  // UI thread: a message 0x401/0x402 to the window. Only the classic window
  // maps them; true when it was taken as the host's report.
  bool OnHostMessage(uint32_t message, uint32_t lParam);
  // UI thread: tmrSetup64Error, acting only while a 64-bit install runs.
  void OnWatchdogTimer();
  // Re-reads the device tree in the background (RefreshSystemHW_Thread).
  void RefreshDevices();

  // The completion handlers (the classic window's 0x402 and 0x401 handlers,
  // the progress window's InstallSuccPrompt and InstallFailPrompt). The run
  // calls them on the UI thread; they read and write the install context.
  InstalledQueue InstallSuccPrompt();
  Retry InstallFailPrompt(uint32_t code);

  // What the last run ended with: the code handed to the failure handler (0
  // after success or when no completion ran), the completions that ran, the
  // text of an error that ended it, and the queue a success reported.
  uint32_t FinalCode() const { return finalCode_; }
  int Completions() const { return completions_; }
  const ustring& ErrorText() const { return errorText_; }
  const InstalledQueue& Installed() const { return installed_; }
  InstallContext& Context() { return context_; }

 private:
  bool Classic() const { return host_ == InstallHost::ClassicWindow; }
  config::TRInstallInfo Entry() const;

  // Worker.
  void Execute(bool prompt);
  Retry Guarded(bool prompt, Retry (InstallRunner::*step)(bool));
  Retry InstallSelectPrinter(bool prompt);
  Retry DoInstallSelectPrinter(bool prompt);
  Retry StagingFailed(int attempt);
  ustring PortForAbsentPrinter(const config::TRInstallInfo& entry, uint32_t result);
  bool InstallOffline(const config::TRInstallInfo& entry, const ustring& oemInf, const ustring& port);
  // The plug-and-play install; on 64-bit Windows it waits for the host's
  // report. Empty when a completion already ran.
  std::optional<bool> InstallOnline(Retry& retry);
  std::optional<bool> AwaitHost(Retry& retry);
  bool FindNewPrinterOfModel();
  // The printer list, only the names that begin with the model's.
  StringList PrintersOfModel(const ustring& model) const;
  // A completion on the UI thread.
  Retry Succeed();
  Retry Fail(uint32_t code);

  // UI thread.
  void Finish();
  void IdentifyNewPrinter();
  void RunAfterInstall(const config::TRInstallInfo& entry);
  void StopInstalling();

  const InstallHost host_;
  InstallWindow& window_;
  const config::TInstallInfos& settings_;
  const config::TStrInstaller& texts_;
  sys::UiTasks ui_;
  sys::UiThreadDialogs dialogs_;
  sys::Platform platform_;  // the machine, with boxes shown on the UI thread

  InstallContext context_;
  StringList printersBefore_;  // the model's printers before and after an install
  StringList printersAfter_;
  HostReport report_;
  HardwareRefreshThread refresh_;
  std::thread worker_;
  bool running_ = false;
  int unaskedRetries_ = 0;

  uint32_t finalCode_ = 0;
  int completions_ = 0;
  ustring errorText_;
  InstalledQueue installed_;
};

}  // namespace prn::install
