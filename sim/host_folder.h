#pragma once
// A private folder on the host that holds a simulated machine's disks; it is
// removed with everything in it when the object goes.

#include <filesystem>

namespace prn::sim {

class HostFolder {
 public:
  HostFolder();
  ~HostFolder();
  HostFolder(const HostFolder&) = delete;
  HostFolder& operator=(const HostFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace prn::sim
