#pragma once
// The resources of the simulated executable, by name.

#include <map>

#include "sys/files.h"

namespace prn::sim {

class SimResources : public sys::Resources {
 public:
  void Set(const ustring& name, std::string bytes);
  void Remove(const ustring& name);

  uint32_t ReadRcData(const ustring& name, std::string& bytes) const override;

 private:
  std::map<ustring, std::string> rcData_;  // resource names compare without case
};

}  // namespace prn::sim
