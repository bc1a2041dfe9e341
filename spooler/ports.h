#pragma once
// Ports created through the spooler's port monitors, and moving a printer to
// another port.

#include <optional>

#include "sys/spooler.h"
#include "text/ustring.h"

namespace prn::sys {
class LastError;
}

namespace prn::spooler {

// Longest texts the monitor's request can hold (without the terminator).
constexpr size_t kMaxPortNameLength = 63;
constexpr size_t kMaxHostAddressLength = 48;

// A raw TCP/IP port on 9100 through the Standard TCP/IP monitor. True only
// when the monitor accepted it; false for a name or host that does not fit.
bool AddTcpIpPort(sys::Spooler& spooler, sys::LastError& lastError, const ustring& portName,
                  const ustring& hostAddress);

// A port through the Local Port monitor. The result is the monitor call's own
// success; the monitor's answer (183 for an existing port) is left in the last
// error. False for a name that does not fit the 512-byte request. Raises
// prn::Error when the spooler has no XcvDataW.
bool AddLocalPort(sys::Spooler& spooler, sys::LastError& lastError, const ustring& portName);

// Moves the printer to the port through the printer update sequence; false at
// once for an empty port name.
bool SetPrinterPort(sys::Spooler& spooler, const ustring& printerName, const ustring& portName);

// The monitor request for a raw TCP/IP port; nothing when the name or host
// does not fit (the IP address member stays empty when only it is too short).
std::optional<sys::PORT_DATA_1> TcpIpPortRequest(const ustring& portName, const ustring& hostAddress);

}  // namespace prn::spooler
