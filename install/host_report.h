#pragma once
// The 64-bit host's report of one install, awaited by the run's worker. The
// host answers the window with 0x402 (installed) or 0x401 (failed, with the
// library's code), or just ends; the window's 5-second watchdog notices the
// end. Only the first word of an awaited report counts: a late or second
// message, or one that nobody awaits, is dropped.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "sys/processes.h"

namespace prn::install {

constexpr uint32_t kHostInstalledMessage = 0x402;  // WM_USER + 2
constexpr uint32_t kHostFailedMessage = 0x401;     // WM_USER + 1

struct HostOutcome {
  // Abandoned: the window went away while the report was awaited.
  enum class Kind { Installed, Failed, EndedSilently, NoAnswer, Abandoned };
  Kind kind = Kind::Abandoned;
  uint32_t code = 0;  // the library's code for Failed
};

class HostReport {
 public:
  // Watchdog ticks a host may run without a word before the run gives up on
  // it (ten minutes at one tick per 5 seconds).
  static constexpr int kTicksBeforeGivingUp = 120;

  // Worker, before the host starts: from now on a report is awaited.
  void Arm();
  // Worker, once the host runs: the process the watchdog looks at.
  void Attach(std::unique_ptr<sys::Process> host);
  // No report is awaited any more (the host did not start, or the window
  // goes); a waiting worker gets Abandoned.
  void Disarm();
  // Worker: blocks until the awaited report is there and disarms.
  HostOutcome Wait();

  // UI thread, for 0x401/0x402 to the window. False when the message was dropped.
  bool Deliver(uint32_t message, uint32_t lParam);
  // UI thread, every 5 seconds: a host that has ended without a word, or has
  // run past the limit, settles the report.
  void WatchdogTick();
  bool Awaiting() const;

 private:
  void Settle(HostOutcome outcome);  // with the lock held

  mutable std::mutex mutex_;
  std::condition_variable settled_;
  bool armed_ = false;
  std::optional<HostOutcome> outcome_;
  std::shared_ptr<sys::Process> host_;
  int ticks_ = 0;
};

}  // namespace prn::install
