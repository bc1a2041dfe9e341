#pragma once
// Spooler change notifications of the simulated machine. A test signals
// changes; a handle whose next-change call fails stays signalled, as a real
// one does, so a caller that only waits again would spin.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include "sys/spooler.h"

namespace prn::sim {

class SimPrinterChanges : public sys::PrinterChangeSource {
 public:
  std::unique_ptr<sys::PrinterChangeNotification> Watch(uint32_t filter) override;
  void RequestStop() override;

  // Setting the scene.
  void Signal(uint32_t change);
  void FailWatch(bool fail);
  // The next `times` next-change calls fail.
  void FailNextChange(int times);

  // Looking at the outcome.
  int Watches() const;             // successful Watch calls
  int OpenNotifications() const;   // handles not closed yet
  int NextChangeCalls() const;
  uint32_t LastFilter() const;

 private:
  class Notification;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<uint32_t> pending_;
  bool stopped_ = false;
  bool failWatch_ = false;
  int failNext_ = 0;
  int watches_ = 0;
  int open_ = 0;
  int nextCalls_ = 0;
  uint32_t lastFilter_ = 0;
};

}  // namespace prn::sim
