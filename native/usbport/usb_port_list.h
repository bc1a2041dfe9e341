#pragma once
// The library's list of attached USB printers: rebuilt by USBPrintRefresh,
// read by GetUSBHWID.

#include <string>
#include <vector>

#include "native/usbport/device_source.h"

namespace prn::usbport {

struct UsbPortEntry {
  std::string port;      // "USB001"
  std::string deviceId;  // the 1284 reply without its zero bytes
};

// "USB" and the port number with at least three digits.
std::string UsbPortName(uint32_t portNumber);
// The reply with every zero byte removed (the two length bytes that open a
// 1284 reply included: a non-zero one stays in front of the text).
std::string WithoutZeroBytes(const std::string& reply);

class UsbPortList {
 public:
  // Lists the "usbprint" devices that have a symbolic name and a linked
  // printer interface with a port number; the count.
  int Refresh(DeviceSource& source);
  // Copies the entry's port and device ID, each cut to its buffer and
  // terminated; false when the index is not in the list.
  bool Copy(int index, char* port, int portSize, char* deviceId, int deviceIdSize) const;

  const std::vector<UsbPortEntry>& Entries() const { return entries_; }

 private:
  std::vector<UsbPortEntry> entries_;
};

}  // namespace prn::usbport
