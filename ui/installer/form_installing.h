#pragma once
// The progress window of the skinned installer (TFormInstalling) as a model:
// a bar and a label under it, a 500 ms start timer, a 200 ms hint timer and
// the 5-second watchdog. It hosts the skinned installer's runs: entry 0 is
// installed, and the run's end closes the window.

#include <cstdint>

#include "install/run/install_runner.h"

namespace prn::ui {

enum class InstallingTimer { InstallStart, InstallingHints, Setup64Error };

constexpr uint32_t kInstallStartMs = 500;
constexpr uint32_t kInstallingBarMs = 200;
constexpr uint32_t kSetup64ErrorMs = 5000;
constexpr int kInstallingWidth = 322;  // 96-dpi units
constexpr int kInstallingHeight = 40;
constexpr int kBarMaximum = 100;

// What the model asks of its Win32 (or headless) view, on the UI thread.
class FormInstallingView {
 public:
  virtual ~FormInstallingView() = default;
  // The window's handle: the run's boxes are its, and the 64-bit host reports to it.
  virtual sys::WindowHandle Handle() const = 0;
  virtual void SetBarPosition(int position) = 0;
  virtual void SetLabel(const ustring& text) = 0;
  virtual void EnableTimer(InstallingTimer timer, bool enabled) = 0;
  // Ends the window's modal display.
  virtual void Close() = 0;
};

class TFormInstalling : private install::InstallWindow {
 public:
  TFormInstalling(FormInstallingView& view, const config::ProcessValues& values, const sys::Platform& platform);

  void FormShow();
  void tmrInstallStartTimer();
  void tmrInstallingHintsTimer();
  void tmrSetup64ErrorTimer() { runner_.OnWatchdogTimer(); }
  // 0x401 and 0x402 reach this window too, and do nothing: false, not handled.
  bool OnMessage(uint32_t message, uintptr_t, uint32_t lParam) { return runner_.OnHostMessage(message, lParam); }

  // StartInstallThread: refused while a run is going on.
  bool StartInstallThread(bool prompt) { return runner_.Start(kEntry, prompt); }
  install::InstallRunner& Runner() { return runner_; }
  uint32_t PassTime() const { return m_iPassTime; }

 private:
  // The flow installs entry 0, and nothing changes that.
  static constexpr int kEntry = 0;

  // What the run asks of this window.
  sys::WindowHandle Handle() const override { return view_.Handle(); }
  void RunStarted() override {}
  void RunEnded() override;
  void ShowSearchWindow() override {}
  void EnableWatchdog(bool enabled) override { view_.EnableTimer(InstallingTimer::Setup64Error, enabled); }
  void ShowFinished() override;  // SetDriverInstallFinish
  void EndApplication() override { view_.Close(); }

  FormInstallingView& view_;
  const config::TStrInstaller& texts_;
  uint32_t m_iPassTime = 0;
  int hintStep_ = 0;  // 0..6, the timer's tag
  install::InstallRunner runner_;
};

}  // namespace prn::ui
