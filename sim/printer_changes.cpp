#include "sim/printer_changes.h"

namespace prn::sim {

class SimPrinterChanges::Notification : public sys::PrinterChangeNotification {
 public:
  explicit Notification(SimPrinterChanges& owner) : owner_(owner) {}
  ~Notification() override {
    std::lock_guard<std::mutex> hold(owner_.mutex_);
    --owner_.open_;
  }

  Wake WaitForChange() override {
    std::unique_lock<std::mutex> hold(owner_.mutex_);
    owner_.wake_.wait(hold, [&] { return owner_.stopped_ || !owner_.pending_.empty() || signalledByFailure_; });
    return owner_.stopped_ ? Wake::Stopped : Wake::Changed;
  }

  bool NextChange(uint32_t& change) override {
    std::lock_guard<std::mutex> hold(owner_.mutex_);
    ++owner_.nextCalls_;
    if (owner_.failNext_ > 0) {
      --owner_.failNext_;
      signalledByFailure_ = true;  // the handle is not reset
      return false;
    }
    signalledByFailure_ = false;
    if (owner_.pending_.empty()) return false;
    change = owner_.pending_.front();
    owner_.pending_.pop_front();
    return true;
  }

 private:
  SimPrinterChanges& owner_;
  bool signalledByFailure_ = false;
};

std::unique_ptr<sys::PrinterChangeNotification> SimPrinterChanges::Watch(uint32_t filter) {
  std::lock_guard<std::mutex> hold(mutex_);
  lastFilter_ = filter;
  if (failWatch_) return nullptr;
  ++watches_;
  ++open_;
  return std::make_unique<Notification>(*this);
}

void SimPrinterChanges::RequestStop() {
  std::lock_guard<std::mutex> hold(mutex_);
  stopped_ = true;
  wake_.notify_all();
}

void SimPrinterChanges::Signal(uint32_t change) {
  std::lock_guard<std::mutex> hold(mutex_);
  pending_.push_back(change);
  wake_.notify_all();
}

void SimPrinterChanges::FailWatch(bool fail) {
  std::lock_guard<std::mutex> hold(mutex_);
  failWatch_ = fail;
}

void SimPrinterChanges::FailNextChange(int times) {
  std::lock_guard<std::mutex> hold(mutex_);
  failNext_ = times;
}

int SimPrinterChanges::Watches() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return watches_;
}

int SimPrinterChanges::OpenNotifications() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return open_;
}

int SimPrinterChanges::NextChangeCalls() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return nextCalls_;
}

uint32_t SimPrinterChanges::LastFilter() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return lastFilter_;
}

}  // namespace prn::sim
