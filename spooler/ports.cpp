#include "spooler/ports.h"

#include <algorithm>
#include <cstring>

#include "spooler/printer_update.h"
#include "sys/spooler.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::spooler {

namespace {

constexpr char16_t kTcpIpMonitor[] = u",XcvMonitor Standard TCP/IP Port";
constexpr char16_t kLocalMonitor[] = u",XcvMonitor Local Port";
constexpr char16_t kAddPort[] = u"AddPort";
constexpr uint32_t kRawTcpProtocol = 1;  // PROTOCOL_RAWTCP_TYPE
constexpr uint32_t kRawTcpPort = 9100;
constexpr size_t kLocalPortRequestBytes = 512;

std::vector<uint8_t> BytesOf(const void* data, size_t size) {
  auto bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

sys::PRINTER_DEFAULTSW MonitorAccess() {
  sys::PRINTER_DEFAULTSW defaults;
  defaults.DesiredAccess = sys::spool::ServerAccessAdminister;
  return defaults;
}

static_assert(kMaxPortNameLength == std::size(sys::PORT_DATA_1{}.sztPortName) - 1);
static_assert(kMaxHostAddressLength == std::size(sys::PORT_DATA_1{}.sztHostAddress) - 1);

}  // namespace

std::optional<sys::PORT_DATA_1> TcpIpPortRequest(const ustring& portName, const ustring& hostAddress) {
  if (portName.size() > kMaxPortNameLength || hostAddress.size() > kMaxHostAddressLength) return std::nullopt;
  sys::PORT_DATA_1 request;
  std::memset(&request, 0, sizeof request);
  sys::CopyFixedText(request.sztPortName, portName);
  request.dwVersion = 1;
  request.dwProtocol = kRawTcpProtocol;
  request.cbSize = sizeof request;
  sys::CopyFixedText(request.sztHostAddress, hostAddress);
  // A host name longer than an address text is left to sztHostAddress alone
  // rather than cut into a different address.
  if (hostAddress.size() < std::size(request.sztIPAddress)) sys::CopyFixedText(request.sztIPAddress, hostAddress);
  request.dwPortNumber = kRawTcpPort;
  return request;
}

bool AddTcpIpPort(sys::Spooler& spooler, sys::LastError& lastError, const ustring& portName,
                  const ustring& hostAddress) {
  auto request = TcpIpPortRequest(portName, hostAddress);
  if (!request) {
    trace::Format(u"TCP/IP port [%s] on [%s] refused: the name holds at most %d and the host %d characters",
                  {portName, hostAddress, static_cast<int>(kMaxPortNameLength), static_cast<int>(kMaxHostAddressLength)});
    lastError.Set(winerr::InvalidParameter);
    return false;
  }
  auto defaults = MonitorAccess();
  auto monitor = spooler.OpenPrinterHandle(kTcpIpMonitor, &defaults);
  if (!monitor) return false;
  lastError.Set(0);
  uint32_t needed = 0;
  uint32_t status = 0;
  bool sent = monitor->SendXcvData(kAddPort, BytesOf(&*request, sizeof *request), 0, needed, status);
  return sent && status == winerr::Success;
}

bool AddLocalPort(sys::Spooler& spooler, sys::LastError& lastError, const ustring& portName) {
  if (!spooler.HasXcvData()) throw Error(u"Function not found : winspool.drv -> XcvDataW");
  ustring terminated = portName + u'\0';
  if (terminated.size() * 2 > kLocalPortRequestBytes) {
    trace::Format(u"Local port [%s] refused: the request holds at most %d characters",
                  {portName, static_cast<int>(kLocalPortRequestBytes / 2 - 1)});
    lastError.Set(winerr::InvalidParameter);
    return false;
  }
  auto defaults = MonitorAccess();
  auto monitor = spooler.OpenPrinterHandle(kLocalMonitor, &defaults);
  if (!monitor) return false;
  lastError.Set(0);
  uint32_t needed = 0;
  uint32_t status = 0;
  bool sent = monitor->SendXcvData(kAddPort, BytesOf(terminated.data(), terminated.size() * 2),
                                   0, needed, status);
  lastError.Set(status);
  return sent;
}

bool SetPrinterPort(sys::Spooler& spooler, const ustring& printerName, const ustring& portName) {
  if (portName.empty()) return false;
  return UpdatePrinter(spooler, printerName,
                       [&portName](sys::PRINTER_INFO_2W& info, sys::Printer&) { info.pPortName = portName; });
}

}  // namespace prn::spooler
