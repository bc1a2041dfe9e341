#pragma once
// The resources of the running executable.

#include "sys/files.h"

namespace prn::win32 {

class Win32Resources : public sys::Resources {
 public:
  uint32_t ReadRcData(const ustring& name, std::string& bytes) const override;
};

}  // namespace prn::win32
