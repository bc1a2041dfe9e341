#pragma once
// Which kind of process calls into the simulated machine: the 32-bit
// installer, or the 64-bit host (PrnSetup64.exe) while it runs on a thread.
// Windows answers the two differently (WOW64).

namespace prn::sim {

// True on a thread that runs as the 64-bit host.
bool CallerIs64Bit();

// Makes the current thread the 64-bit host until the scope ends.
class As64BitProcess {
 public:
  As64BitProcess();
  ~As64BitProcess();
  As64BitProcess(const As64BitProcess&) = delete;
  As64BitProcess& operator=(const As64BitProcess&) = delete;

 private:
  bool previous_;
};

}  // namespace prn::sim
