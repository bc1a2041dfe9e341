#pragma once
// The calling thread's last-error value, as the platform keeps it.

#include <cstdint>

namespace prn::sys {

class LastError {
 public:
  virtual ~LastError() = default;
  virtual uint32_t Get() const = 0;
  virtual void Set(uint32_t code) = 0;
};

}  // namespace prn::sys
