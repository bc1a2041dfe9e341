#include "sim/resources.h"

#include "sys/win_errors.h"
#include "text/ascii.h"

namespace prn::sim {

void SimResources::Set(const ustring& name, std::string bytes) { rcData_[AsciiUpper(name)] = std::move(bytes); }

void SimResources::Remove(const ustring& name) { rcData_.erase(AsciiUpper(name)); }

uint32_t SimResources::ReadRcData(const ustring& name, std::string& bytes) const {
  auto found = rcData_.find(AsciiUpper(name));
  if (found == rcData_.end()) return winerr::ResourceNameNotFound;
  bytes = found->second;
  return winerr::Success;
}

}  // namespace prn::sim
