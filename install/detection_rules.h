#pragma once
// The plain rules of device detection: how a probe code reads, which port an
// instance ID names, and the 64-bit host's "Ret" value.

#include <cstdint>
#include <optional>

#include "text/ustring.h"

namespace prn::install {

enum class ProbeReading {
  DriverInPlace,  // 0: the driver is in place for the attached device
  Attached,       // the device is attached; the driver still needs the interactive route
  NotAttached,    // anything else, among them 0xE000020B
};

ProbeReading ReadProbeCode(uint32_t code);
// Codes after which the installed printers are checked for the device's port.
bool NeedsFollowUpCheck(uint32_t code);

// "…&USB001" → "USB001", "…&LPT1" in an LPTENUM ID → "LPT1:", else empty.
ustring PortFromInstanceId(ustring_view instanceId);

// "Ret" read as a 64-bit decimal number, its low 32 bits kept (1067 for text
// that is no number).
uint32_t ParseRetValue(ustring_view text);

// The flag of the device-install library's install call: 0 and 1 are success.
constexpr bool IsInstallFlagSuccess(int32_t flag) { return flag == 0 || flag == 1; }

}  // namespace prn::install
