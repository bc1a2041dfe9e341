#pragma once
// What the USB port library reads from the machine: the devices SetupAPI
// knows, the entries of the USB printing interface class, and a printer's
// IEEE 1284 reply.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/ustring.h"

namespace prn::usbport {

struct UsbPrintDevice {
  ustring instanceId;    // "USBPRINT\QUILLONQX1\7&2A6B3C&0&USB001"
  ustring service;       // "usbprint" for a USB printer
  ustring symbolicName;  // "Device Parameters\SymbolicName"; empty when absent
};

// One entry under DeviceClasses\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}.
struct PrinterInterface {
  ustring deviceInstance;               // its "DeviceInstance"
  std::optional<uint32_t> linked;       // "#\Control\Linked"
  std::optional<uint32_t> portNumber;   // "#\Device Parameters\Port Number"
};

constexpr size_t k1284ReplyBytes = 1024;

class DeviceSource {
 public:
  virtual ~DeviceSource() = default;
  virtual std::vector<UsbPrintDevice> Devices() = 0;
  virtual std::vector<PrinterInterface> PrinterInterfaces() = 0;
  // The reply of IOCTL_USBPRINT_GET_1284_ID (at most k1284ReplyBytes) from
  // the device opened through its symbolic name; false with a Windows error.
  virtual bool Read1284Reply(const ustring& symbolicName, std::string& reply, uint32_t& error) = 0;
};

}  // namespace prn::usbport
