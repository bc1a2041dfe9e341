#include "native/inst2k/device_match.h"

#include "text/ascii.h"

namespace prn::inst2k {

namespace {
// The text from `start` up to its zero, never past the end of the data.
std::string_view TextAt(std::span<const char> data, size_t start) {
  size_t end = start;
  while (end < data.size() && data[end] != '\0') ++end;
  return std::string_view(data.data() + start, end - start);
}
}  // namespace

bool HardwareIdMatches(std::span<const char> list, std::string_view hardwareId) {
  // Positions up to size - length - 1; nothing to scan when the ID is as long as the data.
  const auto last = static_cast<long long>(list.size()) - static_cast<long long>(hardwareId.size()) - 1;
  for (long long position = 0; position <= last; ++position) {
    if (TextAt(list, static_cast<size_t>(position)) == hardwareId) return true;
  }
  return false;
}

std::string FirstHardwareId(std::span<const char> list) { return std::string(TextAt(list, 0)); }

bool MatchCounts(bool rootIdEnabled, std::string_view instanceId) {
  return rootIdEnabled || !StartsWithNoCase(instanceId, "Root");
}

std::optional<std::string> PortNameValue(std::string_view instanceId) {
  if (instanceId.starts_with("LPT")) return std::string("LPT1:");
  if (instanceId.starts_with("USB")) {
    constexpr size_t kPortLength = 6;
    size_t start = instanceId.size() > kPortLength ? instanceId.size() - kPortLength : 0;
    return std::string(instanceId.substr(start));
  }
  return std::nullopt;
}

std::string DeviceParametersKey(std::string_view instanceId) {
  return "system\\CurrentControlSet\\Enum\\" + std::string(instanceId) + "\\Device Parameters";
}

}  // namespace prn::inst2k
