#pragma once
// The resources that the executable carries.

#include <cstdint>
#include <string>

#include "text/ustring.h"

namespace prn::sys {

class Resources {
 public:
  virtual ~Resources() = default;
  // The bytes of the RCDATA (type 10) resource `name`. Answers a Windows
  // error code: ERROR_RESOURCE_NAME_NOT_FOUND when the executable has none.
  virtual uint32_t ReadRcData(const ustring& name, std::string& bytes) const = 0;
};

}  // namespace prn::sys
