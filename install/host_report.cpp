#include "install/host_report.h"

#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn::install {

void HostReport::Arm() {
  std::lock_guard lock(mutex_);
  armed_ = true;
  outcome_.reset();
  host_.reset();
  ticks_ = 0;
}

void HostReport::Attach(std::unique_ptr<sys::Process> host) {
  std::lock_guard lock(mutex_);
  host_ = std::move(host);
}

void HostReport::Disarm() {
  {
    std::lock_guard lock(mutex_);
    armed_ = false;
    outcome_.reset();
  }
  settled_.notify_all();
}

HostOutcome HostReport::Wait() {
  std::unique_lock lock(mutex_);
  settled_.wait(lock, [this] { return outcome_.has_value() || !armed_; });
  armed_ = false;
  HostOutcome outcome = outcome_.value_or(HostOutcome{});
  outcome_.reset();
  return outcome;
}

void HostReport::Settle(HostOutcome outcome) {
  if (!armed_ || outcome_) return;
  outcome_ = outcome;
  settled_.notify_all();
}

bool HostReport::Deliver(uint32_t message, uint32_t lParam) {
  std::lock_guard lock(mutex_);
  if (!armed_ || outcome_) return false;
  if (message == kHostInstalledMessage) {
    Settle({HostOutcome::Kind::Installed, 0});
  } else if (message == kHostFailedMessage) {
    Settle({HostOutcome::Kind::Failed, lParam});
  } else {
    return false;
  }
  return true;
}

void HostReport::WatchdogTick() {
  std::shared_ptr<sys::Process> host;
  {
    std::lock_guard lock(mutex_);
    if (!armed_ || outcome_ || !host_) return;
    host = host_;
  }
  // Asked without the lock: a host that ends now may still send its message,
  // and that message is then the report.
  const bool ended = host->ExitCode() != winerr::StillActive;
  std::lock_guard lock(mutex_);
  if (ended) {
    Settle({HostOutcome::Kind::EndedSilently, 0});
  } else if (++ticks_ == kTicksBeforeNotedSlow) {
    trace::Message(u"64位安裝進程長時間沒有回應，繼續等待它完成。");
  }
}

bool HostReport::Awaiting() const {
  std::lock_guard lock(mutex_);
  return armed_ && !outcome_;
}

}  // namespace prn::install
