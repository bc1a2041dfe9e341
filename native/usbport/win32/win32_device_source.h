#pragma once
// The machine's USB printing devices through SetupAPI, the registry and the
// usbprint driver.

#include "native/usbport/device_source.h"

namespace prn::usbport {

class Win32DeviceSource : public DeviceSource {
 public:
  std::vector<UsbPrintDevice> Devices() override;
  std::vector<PrinterInterface> PrinterInterfaces() override;
  bool Read1284Reply(const ustring& symbolicName, std::string& reply, uint32_t& error) override;
};

}  // namespace prn::usbport
