#pragma once
// What belongs to each thread that calls into the simulated machine, as on
// Windows: its last-error value, and which kind of process it runs as: the
// 32-bit installer, or the 64-bit host (PrnSetup64.exe) while that runs on
// the thread. Windows answers the two kinds differently (WOW64).

#include <cstdint>

#include "sys/win_errors.h"

namespace prn::sim {

namespace thread_state {
inline thread_local uint32_t lastError = 0;
inline thread_local bool runsAs64Bit = false;
}  // namespace thread_state

// The simulated thread's last-error value: one per thread.
class SimLastError : public sys::LastError {
 public:
  uint32_t Get() const override { return thread_state::lastError; }
  void Set(uint32_t code) override { thread_state::lastError = code; }
};

// True on a thread that runs as the 64-bit host.
inline bool CallerIs64Bit() { return thread_state::runsAs64Bit; }

// Makes the current thread the 64-bit host until the scope ends.
class As64BitProcess {
 public:
  As64BitProcess() : previous_(thread_state::runsAs64Bit) { thread_state::runsAs64Bit = true; }
  ~As64BitProcess() { thread_state::runsAs64Bit = previous_; }
  As64BitProcess(const As64BitProcess&) = delete;
  As64BitProcess& operator=(const As64BitProcess&) = delete;

 private:
  bool previous_;
};

}  // namespace prn::sim
