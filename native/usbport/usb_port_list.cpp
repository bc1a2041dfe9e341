#include "native/usbport/usb_port_list.h"

#include <algorithm>
#include <cstring>

#include "text/ascii.h"
#include "trace/trace.h"

namespace prn::usbport {

namespace {

constexpr char16_t kUsbPrintService[] = u"usbprint";

const PrinterInterface* InterfaceOf(const UsbPrintDevice& device, const std::vector<PrinterInterface>& interfaces) {
  for (const auto& entry : interfaces) {
    if (EqualsNoCase(entry.deviceInstance, device.instanceId)) return &entry;
  }
  return nullptr;
}

void CopyCut(const std::string& text, char* buffer, int size) {
  if (!buffer || size <= 0) return;
  size_t count = std::min(text.size(), static_cast<size_t>(size) - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
}

}  // namespace

std::string UsbPortName(uint32_t portNumber) {
  std::string digits = std::to_string(portNumber);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return "USB" + digits;
}

std::string WithoutZeroBytes(const std::string& reply) {
  std::string text = reply;
  std::erase(text, '\0');
  return text;
}

int UsbPortList::Refresh(DeviceSource& source) {
  entries_.clear();
  std::vector<PrinterInterface> interfaces = source.PrinterInterfaces();
  for (const UsbPrintDevice& device : source.Devices()) {
    if (!EqualsNoCase(device.service, kUsbPrintService) || device.symbolicName.empty()) continue;
    // An interface that is not linked belongs to a printer that is unplugged.
    const PrinterInterface* entry = InterfaceOf(device, interfaces);
    if (!entry || !entry->portNumber || (entry->linked && *entry->linked == 0)) continue;
    std::string reply;
    uint32_t error = 0;
    if (!source.Read1284Reply(device.symbolicName, reply, error)) {
      trace::Format(u"USBPRINT_GET_1284_ID ERROR : %d", {error});
      reply.clear();
    }
    reply.resize(std::min(reply.size(), k1284ReplyBytes));
    entries_.push_back({UsbPortName(*entry->portNumber), WithoutZeroBytes(reply)});
  }
  return static_cast<int>(entries_.size());
}

bool UsbPortList::Copy(int index, char* port, int portSize, char* deviceId, int deviceIdSize) const {
  if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return false;
  CopyCut(entries_[index].port, port, portSize);
  CopyCut(entries_[index].deviceId, deviceId, deviceIdSize);
  return true;
}

}  // namespace prn::usbport
