#pragma once
// The simulated thread's last-error value: one per thread, as on Windows.

#include "sys/win_errors.h"

namespace prn::sim {

class SimLastError : public sys::LastError {
 public:
  uint32_t Get() const override;
  void Set(uint32_t code) override;
};

}  // namespace prn::sim
