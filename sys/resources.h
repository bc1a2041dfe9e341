#pragma once
// The resources that the executable carries.

#include <cstdint>
#include <string>

#include "text/ustring.h"

namespace prn::sys {

class Resources {
 public:
  virtual ~Resources() = default;
  // The bytes of the file that the executable carries as `name`: an RCDATA
  // (type 10) resource, or one that the build packed, unpacked here. Answers
  // a Windows error code: ERROR_RESOURCE_NAME_NOT_FOUND when the executable
  // has none, ERROR_INVALID_DATA when a packed one does not unpack whole.
  virtual uint32_t ReadRcData(const ustring& name, std::string& bytes) const = 0;
};

}  // namespace prn::sys
