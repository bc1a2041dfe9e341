#pragma once
// The resources of the simulated executable, by name (compared without case).

#include <map>

#include "sys/files.h"
#include "sys/win_errors.h"
#include "text/ascii.h"

namespace prn::sim {

class SimResources : public sys::Resources {
 public:
  void Set(const ustring& name, std::string bytes) { rcData_[AsciiUpper(name)] = std::move(bytes); }
  void Remove(const ustring& name) { rcData_.erase(AsciiUpper(name)); }

  uint32_t ReadRcData(const ustring& name, std::string& bytes) const override {
    auto found = rcData_.find(AsciiUpper(name));
    if (found == rcData_.end()) return winerr::ResourceNameNotFound;
    bytes = found->second;
    return winerr::Success;
  }

 private:
  std::map<ustring, std::string> rcData_;  // by upper-cased name
};

}  // namespace prn::sim
