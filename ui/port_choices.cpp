#include "ui/port_choices.h"

#include "spooler/usb_ports.h"
#include "sys/system_info.h"
#include "sys/usb_port_library.h"
#include "trace/trace.h"

namespace prn::ui {

namespace {
constexpr size_t kPortTextBytes = 255;  // the part of the library's port buffer that is read
}

OnlineUsbPorts ReadOnlineUsbPorts(sys::UsbPortLibrary& usb, const sys::CodePage& codePage) {
  OnlineUsbPorts online;
  sys::UsbPortLibrary::Scan scan(usb);
  const int count = scan.Refresh();
  for (int index = 0; index < count; ++index) {
    const sys::UsbPrinterEntry entry = scan.Entry(index);
    const ustring port = codePage.FromAnsi(entry.port.substr(0, kPortTextBytes));
    const ustring deviceId = codePage.FromAnsi(entry.deviceId);
    trace::Format(u"找到USB打印機，Port = %s，ID = %s", {port, deviceId});
    online.push_back({port, spooler::UsbPrinterDescription(deviceId, index + 1)});
  }
  return online;
}

const ustring* OnlineDescription(const OnlineUsbPorts& online, ustring_view port) {
  for (const auto& entry : online) {
    if (entry.port == port) return &entry.description;
  }
  return nullptr;
}

PortChoices BuildPortChoices(const SystemPortList& ports, const OnlineUsbPorts& online,
                             const ustring& connectedText, const ustring& baseCaption) {
  PortChoices choices;
  const StringList& names = ports.Names();
  for (size_t i = 0; i < names.size(); ++i) {
    const ustring& name = names[i];
    const ustring* description = name.find(u"USB") != ustring::npos ? OnlineDescription(online, name) : nullptr;
    if (!description) {
      choices.texts.push_back(name);
      continue;
    }
    choices.texts.push_back(name + u"  [" + connectedText + u" " + *description + u"]");
    if (choices.firstUsbPort < 0) {
      choices.firstUsbPort = static_cast<int>(i);
      choices.usbCaption = baseCaption + u" " + name;
    }
  }
  return choices;
}

}  // namespace prn::ui
