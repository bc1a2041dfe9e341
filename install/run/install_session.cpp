#include "install/run/install_session.h"

namespace prn::install {

InstallSession::InstallSession(InstallServices services, PostToUi post)
    : context_(services.context), takesHostMessages_(services.policy.takesHostMessages), platform_(services.platform) {
  if (!post) post = [this](std::function<void()> task) { queue_.Post(std::move(task)); };
  window_ = std::make_unique<QueuedInstallWindow>(std::move(post), *services.window);
  services.window = window_.get();
  services.hostReport = &report_;
  run_ = std::make_unique<InstallRun>(services, refresh_);
}

InstallSession::~InstallSession() {
  // A run waiting for the host must not keep the window's owner waiting forever.
  report_.Disarm();
  worker_.Join();
  refresh_.Wait();
}

bool InstallSession::Start(bool prompt) {
  return worker_.Start([this, prompt] { run_->Execute(prompt); });
}

void InstallSession::RefreshDevices() { RefreshSystemHW_Thread(refresh_, platform_, context_->m_strInst2kDll); }

bool InstallSession::OnHostMessage(uint32_t message, uint32_t lParam) {
  if (!takesHostMessages_) return false;
  return report_.Deliver(message, lParam);
}

void InstallSession::OnWatchdogTimer() {
  if (context_->m_InstallingProgress != TInstallProgress::IPInstalling || !context_->m_bWow64) return;
  report_.WatchdogTick();
}

}  // namespace prn::install
