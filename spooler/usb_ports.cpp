#include "spooler/usb_ports.h"

#include <algorithm>

#include "spooler/printer_queries.h"
#include "sys/system_info.h"
#include "sys/usb_port_library.h"
#include "text/ascii.h"
#include "text/format.h"
#include "trace/trace.h"

namespace prn {

ustring GetDeviceIdValue(ustring_view text, ustring_view key) {
  ustring field = ustring(key) + u":";
  size_t at = text.find(field);
  if (at == ustring_view::npos) return {};
  size_t start = at + field.size();
  size_t end = text.find(u';', start);
  return ustring(text.substr(start, end == ustring_view::npos ? ustring_view::npos : end - start));
}

}  // namespace prn

namespace prn::spooler {

namespace {

constexpr size_t kShortDeviceId = 32;

// The CID with its blanks turned into underscores; empty for a short device ID.
ustring CompatibleId(const ustring& deviceId) {
  if (deviceId.size() <= kShortDeviceId) return {};
  ustring cid = GetDeviceIdValue(deviceId, u"CID");
  std::replace(cid.begin(), cid.end(), u' ', u'_');
  return cid;
}

bool Fits(const ustring& description, const ustring& cid, const ustring& modelText, const ustring& idList) {
  if (AsciiUpper(description).find(AsciiUpper(modelText)) != ustring::npos) return true;
  return !cid.empty() && AsciiUpper(idList).find(AsciiUpper(cid)) != ustring::npos;
}

bool PortInUse(sys::Spooler& spooler, sys::LastError& lastError, const ustring& port) {
  StringList printers;
  GetPrinterList(spooler, &printers);
  return std::any_of(printers.begin(), printers.end(),
                     [&](const ustring& printer) { return GetPrinterPort(spooler, lastError, printer) == port; });
}

}  // namespace

ustring UsbPrinterDescription(const ustring& deviceId, int position) {
  if (deviceId.size() <= kShortDeviceId) return Format(u"USB Printer %d", {position});
  ustring maker = GetDeviceIdValue(deviceId, u"MFG");
  ustring model = GetDeviceIdValue(deviceId, u"MDL");
  ustring description = GetDeviceIdValue(deviceId, u"DES");
  if (description.find(model) == ustring::npos) return maker + model;
  return description;
}

ustring GetOnlineUSBPortForNotInstallDriver(sys::UsbPortLibrary& usb, sys::Spooler& spooler,
                                            sys::LastError& lastError, const sys::CodePage& codePage,
                                            const ustring& modelText, const ustring& idList) {
  sys::UsbPortLibrary::Scan scan(usb);
  int count = scan.Refresh();
  for (int index = 0; index < count; ++index) {
    sys::UsbPrinterEntry entry = scan.Entry(index);
    ustring port = codePage.FromAnsi(entry.port);
    ustring deviceId = codePage.FromAnsi(entry.deviceId);
    trace::Format(u"找到USB打印機，Port = %s，ID = %s", {port, deviceId});
    if (!Fits(UsbPrinterDescription(deviceId, index + 1), CompatibleId(deviceId), modelText, idList)) continue;
    if (port.empty() || PortInUse(spooler, lastError, port)) continue;
    trace::Format(u"GetOnlineUSBPortForNotInstallDriver找到尚未關聯的USB端口：%s", {port});
    return port;
  }
  return {};
}

}  // namespace prn::spooler
