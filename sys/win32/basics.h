#pragma once
// The real code page and thread error value.

#include "sys/system_info.h"
#include "sys/win_errors.h"

namespace prn::win32 {

class Win32CodePage : public sys::CodePage {
 public:
  std::string ToAnsi(ustring_view text) const override;
  ustring FromAnsi(std::string_view text) const override;
  unsigned Id() const override;
};

class Win32LastError : public sys::LastError {
 public:
  uint32_t Get() const override;
  void Set(uint32_t code) override;
};

}  // namespace prn::win32
