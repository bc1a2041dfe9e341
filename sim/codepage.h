#pragma once
// The simulated system's ANSI code page (1252, 936 or 950), so that a name
// outside it behaves as on a real system of that language.

#include "sys/system_info.h"

namespace prn::sim {

class SimCodePage : public sys::CodePage {
 public:
  explicit SimCodePage(unsigned id = 1252) : id_(id) {}
  void SetId(unsigned id) { id_ = id; }

  std::string ToAnsi(ustring_view text) const override;
  ustring FromAnsi(std::string_view text) const override;
  unsigned Id() const override { return id_; }

 private:
  unsigned id_;
};

}  // namespace prn::sim
