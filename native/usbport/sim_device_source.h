#pragma once
// A machine's USB printing devices as plain data, for tests and scenarios.

#include <map>

#include "native/usbport/device_source.h"

namespace prn::usbport {

class SimDeviceSource : public DeviceSource {
 public:
  std::vector<UsbPrintDevice> devices;
  std::vector<PrinterInterface> interfaces;
  std::map<ustring, std::string> replies;  // by symbolic name; absent: the device cannot be opened
  uint32_t openError = 2;                  // ERROR_FILE_NOT_FOUND

  std::vector<UsbPrintDevice> Devices() override { return devices; }
  std::vector<PrinterInterface> PrinterInterfaces() override { return interfaces; }
  bool Read1284Reply(const ustring& symbolicName, std::string& reply, uint32_t& error) override {
    auto found = replies.find(symbolicName);
    if (found == replies.end()) {
      error = openError;
      return false;
    }
    reply = found->second;
    return true;
  }
};

}  // namespace prn::usbport
