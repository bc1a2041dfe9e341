#include "sim/host_folder.h"

#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <system_error>

namespace prn::sim {

HostFolder::HostFolder() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto name = "prn-sim-" + std::to_string(random()) + "-" + std::to_string(counter++);
    auto candidate = base / name;
    std::error_code ec;
    if (std::filesystem::create_directory(candidate, ec)) {
      path_ = candidate;
      return;
    }
  }
}

HostFolder::~HostFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace prn::sim
