#pragma once
// The rules of the device search: which hardware-ID list matches, which match
// counts, and what a device's new parameters key receives.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace prn::inst2k {

// True when a string of the hardware-ID list (REG_MULTI_SZ bytes as returned)
// ends with `hardwareId`: the text from some byte position up to its zero
// equals it exactly, case included. An empty ID matches any non-empty list.
bool HardwareIdMatches(std::span<const char> list, std::string_view hardwareId);
// The first string of a hardware-ID list.
std::string FirstHardwareId(std::span<const char> list);
// A root-enumerated device ("Root…", any case) counts only when enabled.
bool MatchCounts(bool rootIdEnabled, std::string_view instanceId);
// The "PortName" text for a device whose parameters key is new: "LPT1:" for
// any "LPT" device, the last six characters for a "USB" device, else none.
std::optional<std::string> PortNameValue(std::string_view instanceId);
// "system\CurrentControlSet\Enum\<instance ID>\Device Parameters".
std::string DeviceParametersKey(std::string_view instanceId);

}  // namespace prn::inst2k
