#pragma once
// What the manager's port combo box shows: the sorted system ports, an
// attached USB printer's port annotated with its description.

#include <vector>

#include "text/ustring.h"
#include "ui/system_port_list.h"

namespace prn::sys {
class CodePage;
class UsbPortLibrary;
}  // namespace prn::sys

namespace prn::ui {

struct OnlineUsbPort {
  ustring port;         // "USB001"
  ustring description;  // as the USB port rule describes the printer
};
using OnlineUsbPorts = std::vector<OnlineUsbPort>;

// The attached USB printers, asked of the USB port library in one scan.
OnlineUsbPorts ReadOnlineUsbPorts(sys::UsbPortLibrary& usb, const sys::CodePage& codePage);

// The description of the printer attached at `port`, or nothing.
const ustring* OnlineDescription(const OnlineUsbPorts& online, ustring_view port);

struct PortChoices {
  StringList texts;      // combo item i describes SystemPortList item i
  int firstUsbPort = -1;  // index of the first annotated port, -1 for none
  ustring usbCaption;    // base caption + " " + that port, when there is one
};

PortChoices BuildPortChoices(const SystemPortList& ports, const OnlineUsbPorts& online,
                             const ustring& connectedText, const ustring& baseCaption);

}  // namespace prn::ui
