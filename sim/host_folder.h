#pragma once
// A private folder on the host that holds a simulated machine's disks; it is
// removed with everything in it when the object goes.

#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace prn::sim {

class HostFolder {
 public:
  HostFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
      auto candidate = base / ("prn-sim-" + std::to_string(random()) + "-" + std::to_string(counter++));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) {
        path_ = candidate;
        return;
      }
    }
  }
  ~HostFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  HostFolder(const HostFolder&) = delete;
  HostFolder& operator=(const HostFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace prn::sim
