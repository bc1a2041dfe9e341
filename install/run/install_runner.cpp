#include "install/run/install_runner.h"

#include "config/process_values.h"
#include "config/install_infos.h"
#include "config/str_installer.h"
#include "sys/dialogs.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {

InstallRunner::InstallRunner(InstallHost host, InstallWindow& window, const config::ProcessValues& values,
                             const sys::Platform& platform)
    : host_(host),
      window_(window),
      settings_(values.installInfos),
      texts_(values.strInstaller),
      ui_(*platform.uiThread),
      dialogs_(ui_, *platform.dialogs),
      platform_(platform) {
  platform_.dialogs = &dialogs_;
  TakeStartupValues(context_, values);
}

InstallRunner::~InstallRunner() {
  // What the run still has for the window is dropped, and a run that waits
  // for a box or the host's report goes on without it.
  ui_.Close();
  report_.Disarm();
  if (worker_.joinable()) worker_.join();
  refresh_.Wait();
}

bool InstallRunner::Start(int entry, bool prompt) {
  if (running_) return false;
  // The previous run's worker has posted its end already; it is ending.
  if (worker_.joinable()) worker_.join();
  running_ = true;
  context_.m_iSelect = entry;
  context_.m_hWnd = window_.Handle();
  context_.m_InstallingProgress = TInstallProgress::IPNotStart;
  unaskedRetries_ = 0;
  window_.RunStarted();
  trace::Message(u"創建驅動安裝線程。。。");
  worker_ = std::thread([this, prompt] {
    trace::Message(u"驅動安裝線程正在執行安裝任務。");
    Execute(prompt);
    ui_.Post([this] { Finish(); });
  });
  return true;
}

void InstallRunner::Finish() {
  report_.Disarm();
  window_.EnableWatchdog(false);
  if (context_.m_InstallingProgress == TInstallProgress::IPInstalling) {
    context_.m_InstallingProgress = TInstallProgress::IPInstalled;
  }
  running_ = false;
  window_.RunEnded();
}

bool InstallRunner::OnHostMessage(uint32_t message, uint32_t lParam) {
  // The progress window maps no message: it learns of the host from its end.
  if (!Classic()) return false;
  return report_.Deliver(message, lParam);
}

void InstallRunner::OnWatchdogTimer() {
  if (context_.m_InstallingProgress != TInstallProgress::IPInstalling || !context_.m_bWow64) return;
  report_.WatchdogTick();
}

void InstallRunner::RefreshDevices() { RefreshSystemHW_Thread(refresh_, platform_, context_.m_strInst2kDll); }

config::TRInstallInfo InstallRunner::Entry() const { return settings_.GetInfoItem(context_.m_iSelect); }

void InstallRunner::Execute(bool prompt) {
  Retry (InstallRunner::*const run)(bool) =
      Classic() ? &InstallRunner::InstallSelectPrinter : &InstallRunner::DoInstallSelectPrinter;
  Retry retry = Guarded(prompt, run);
  while (retry != Retry::None) {
    trace::Message(u"重新開始安裝。");
    retry = Guarded(retry == Retry::WithPrompt, run);
  }
}

Retry InstallRunner::Guarded(bool prompt, Retry (InstallRunner::*step)(bool)) {
  errorText_.clear();
  try {
    return (this->*step)(prompt);
  } catch (const Error& error) {
    errorText_ = error.Text();
  } catch (const std::exception& error) {
    errorText_ = FromUtf8(error.what());
  }
  // The user sees why; no completion ran, and the window comes back at the end.
  report_.Disarm();
  context_.m_InstallingProgress = TInstallProgress::IPInstalled;
  platform_.dialogs->ShowMessage(context_.m_hWnd, errorText_, texts_.ErrorTitle, sys::mb::Ok | sys::mb::IconError);
  return Retry::None;
}

Retry InstallRunner::Succeed() {
  ++completions_;
  finalCode_ = 0;
  if (std::optional<InstalledQueue> installed = ui_.Call([this] { return InstallSuccPrompt(); })) {
    installed_ = *installed;
  }
  return Retry::None;
}

Retry InstallRunner::Fail(uint32_t code) {
  ++completions_;
  finalCode_ = code;
  return ui_.Call([this, code] { return InstallFailPrompt(code); }).value_or(Retry::None);
}

}  // namespace prn::install
