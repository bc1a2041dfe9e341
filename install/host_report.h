#pragma once
// The 64-bit host's report of one install, awaited by the run's worker. The
// host answers the window with 0x402 (installed) or 0x401 (failed, with the
// library's code), or just ends; the window's 5-second watchdog notices the
// end. A host that runs on without a word is still installing (a driver
// install may wait for the user or for Windows): it is waited for and never
// ended. Only the first word of an awaited report counts: a late or second
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
  enum class Kind { Installed, Failed, EndedSilently, Abandoned };
  Kind kind = Kind::Abandoned;
  uint32_t code = 0;  // the library's code for Failed
};

class HostReport {
 public:
  // Watchdog ticks after which a silent host is noted as slow in the trace
  // (ten minutes at one tick per 5 seconds); it is still waited for.
  static constexpr int kTicksBeforeNotedSlow = 120;

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
  // UI thread, every 5 seconds: a host that has ended without a word settles the report.
  void WatchdogTick();
  bool Awaiting() const;

 private:
  void Settle(HostOutcome outcome);  // with the lock held

  mutable std::mutex mutex_;
  std::condition_variable settled_;
  bool armed_ = false;
  std::optional<HostOutcome> outcome_;
  std::shared_ptr<sys::Process> host_;
  int ticks_ = 0;  // watchdog ticks while the host runs
};

}  // namespace prn::install
