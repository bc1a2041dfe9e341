#pragma once
// The progress window of the skinned installer (TFormInstalling) as a model:
// a bar and a label under it, a 500 ms start timer, a 200 ms hint timer and
// the 5-second watchdog. It owns the window's install session; the run on
// the worker reaches it only through the session's queue, which the view
// drains on its UI thread.

#include <cstdint>

#include "install/run/install_session.h"

namespace prn::ui {

enum class InstallingTimer { InstallStart, InstallingHints, Setup64Error };

constexpr uint32_t kInstallStartMs = 500;
constexpr uint32_t kInstallingBarMs = 200;
constexpr uint32_t kSetup64ErrorMs = 5000;
constexpr int kInstallingWidth = 322;  // 96-dpi units
constexpr int kInstallingHeight = 40;
constexpr int kBarMaximum = 100;

// What the model asks of its Win32 (or recording) view, on the UI thread.
class InstallingView {
 public:
  virtual ~InstallingView() = default;
  virtual void SetBarPosition(int position) = 0;
  virtual void SetLabel(const ustring& text) = 0;
  virtual void EnableTimer(InstallingTimer timer, bool enabled) = 0;
  // Ends the window's modal display.
  virtual void Close() = 0;
};

class TFormInstalling : public install::InstallWindow {
 public:
  // `services.window` is ignored: this window is the run's window. `post`
  // hands the worker's requests to the view's UI thread; without it they wait
  // in Session().Queue().
  TFormInstalling(install::InstallServices services, InstallingView& view, sys::WindowHandle handle,
                  install::PostToUi post = {});

  void FormShow();
  void tmrInstallStartTimer();
  void tmrInstallingHintsTimer();
  void tmrSetup64ErrorTimer() { session_.OnWatchdogTimer(); }
  // 0x401 and 0x402 reach this window too, and do nothing: false, not handled.
  bool OnMessage(uint32_t, uintptr_t, uint32_t) { return false; }

  // StartInstallThread: refused while a run is going on.
  bool StartInstallThread(bool prompt) { return session_.Start(prompt); }
  install::InstallSession& Session() { return session_; }
  uint32_t PassTime() const { return m_iPassTime; }

  // The run's requests, carried out on the UI thread.
  sys::WindowHandle Handle() const override { return handle_; }
  void DisableControls() override {}
  void RestoreControls() override {}
  void ShowSearchWindow() override {}
  void StartWatchdog() override { view_.EnableTimer(InstallingTimer::Setup64Error, true); }
  void StopWatchdog() override { view_.EnableTimer(InstallingTimer::Setup64Error, false); }
  void ShowFinished() override;  // SetDriverInstallFinish
  void CloseProgress() override;
  void EndApplication() override { view_.Close(); }

 private:
  static install::InstallServices WithWindow(install::InstallServices services, install::InstallWindow* window);

  InstallingView& view_;
  sys::WindowHandle handle_;
  const config::TStrInstaller& texts_;
  uint32_t m_iPassTime = 0;
  int hintStep_ = 0;  // 0..6, the timer's tag
  install::InstallSession session_;
};

}  // namespace prn::ui
