#pragma once
// One install, from the user's choice to exactly one completion: staging,
// the probe, then one route (found installed, plug and play through the
// library or the 64-bit host, or offline through the printer UI) and the
// success or failure handler. A retry the failure handler asks for runs in
// the same call, so a window never has two runs at once. Errors raised on
// the way are shown to the user and end the run with the window restored.

#include <cstdint>
#include <optional>

#include "install/completion.h"
#include "install/hardware_refresh_thread.h"
#include "install/install_services.h"

namespace prn::config {
struct TRInstallInfo;
}

namespace prn::install {

class InstallRun {
 public:
  InstallRun(InstallServices services, HardwareRefreshThread& refresh) : run_(services), refresh_(refresh) {}

  // The whole run as the hosting window starts it: the classic window's
  // checks (InstallSelectPrinter) or the progress window's run, then every
  // retry; the progress window is closed once the last run has ended.
  void Execute(bool prompt);

  // Classic window: the checks before a run, then the run.
  Retry InstallSelectPrinter(bool prompt);
  // One run over the install context; the failure handler's wish for another.
  Retry DoInstallSelectPrinter(bool prompt);

  // What the last run ended with: the code handed to the failure handler (0
  // after success or when no completion ran), and how many completions ran.
  uint32_t FinalCode() const { return finalCode_; }
  int Completions() const { return completions_; }
  // The text of an error that ended the last run, empty when none did.
  const ustring& ErrorText() const { return errorText_; }
  // The queue of the last successful run.
  const InstalledQueue& Installed() const { return installed_; }

 private:
  Retry Guarded(bool prompt, Retry (InstallRun::*step)(bool));
  Retry StagingFailed(int attempt);
  // The port of the offline route when detection gave `result` (not 0).
  ustring PortForAbsentPrinter(const config::TRInstallInfo& entry, uint32_t result);
  // The printer UI's install on `port`; true when it created the queue.
  bool InstallOffline(const config::TRInstallInfo& entry, const ustring& oemInf, const ustring& port);
  // The plug-and-play install; on 64-bit Windows it waits for the host's
  // report. Nothing when a completion already ran.
  std::optional<bool> InstallOnline(Retry& retry);
  bool FindNewPrinterOfModel();
  Retry Succeed();
  Retry Fail(uint32_t code);

  InstallServices run_;
  HardwareRefreshThread& refresh_;
  uint32_t finalCode_ = 0;
  int completions_ = 0;
  ustring errorText_;
  InstalledQueue installed_;
};

}  // namespace prn::install
