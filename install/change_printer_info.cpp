#include "install/change_printer_info.h"

#include <algorithm>

#include "spooler/printer_update.h"
#include "spooler/ports.h"
#include "spooler/printer_queries.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr size_t kFormNameCharacters = std::size(sys::DEVMODEW{}.dmFormName);

// The printer's device mode with only the form changed; nothing when it cannot be read.
std::optional<sys::DeviceMode> DeviceModeWithForm(sys::Printer& printer, const sys::Platform& platform,
                                                  const TChangePrinterInfo& info) {
  if (info.DefaultForm.size() >= kFormNameCharacters) {
    trace::Format(u"紙張名稱過長，未設置：%s", {info.DefaultForm});
    return std::nullopt;
  }
  std::optional<sys::DeviceMode> mode = printer.ReadDocumentProperties(info.OrgName);
  if (!mode) {
    trace::Format(u"DocumentProperties獲取DevMode失敗：(%d)！", {platform.lastError->Get()});
    return std::nullopt;
  }
  std::fill(std::begin(mode->dm.dmFormName), std::end(mode->dm.dmFormName), u'\0');
  std::copy(info.DefaultForm.begin(), info.DefaultForm.end(), mode->dm.dmFormName);
  mode->dm.dmFields = sys::spool::FieldFormName;
  return mode;
}

// "ADDLOCAL:<name>" creates the local port when it is missing; the port to apply.
ustring PreparePort(const sys::Platform& platform, const ustring& requested) {
  if (!StartsWithNoCase(requested, kAddLocalPrefix)) return requested;
  ustring port = requested.substr(std::char_traits<char16_t>::length(kAddLocalPrefix));
  if (spooler::PortExists(*platform.spooler, port)) return port;
  bool added = false;
  try {
    added = spooler::AddLocalPort(*platform.spooler, *platform.lastError, port);
  } catch (const Error& error) {
    trace::Message(error.Text());
  }
  if (!added) trace::Message(u"未能添加指定的本地端口：" + port);
  return port;
}

}  // namespace

bool ApplyChangePrinterInfo(const sys::Platform& platform, const TChangePrinterInfo& info) {
  sys::Spooler& spooler = *platform.spooler;
  if (info.bSetDefault && !spooler::SetDefaultPrinterName(spooler, info.OrgName)) {
    trace::Message(u"設置默認打印機失敗！" + info.OrgName);
  }
  const bool written = spooler::UpdatePrinter(spooler, info.OrgName, [&](sys::PRINTER_INFO_2W& printer,
                                                                         sys::Printer& handle) {
    if (!info.DefaultForm.empty()) {
      if (auto mode = DeviceModeWithForm(handle, platform, info)) printer.pDevMode = std::move(mode);
    }
    if (!info.NewName.empty() && info.NewName != info.OrgName) printer.pPrinterName = info.NewName;
    if (!info.ShareName.empty()) {
      printer.pShareName = info.ShareName;
      printer.Attributes |= sys::spool::AttributeShared;
    } else {
      printer.Attributes &= ~sys::spool::AttributeShared;
    }
    const ustring port = PreparePort(platform, info.Port);
    if (spooler::PortExists(spooler, port)) printer.pPortName = port;
    if (!info.Process.empty() && info.Process != kWinPrint) {
      printer.Attributes |= sys::spool::AttributeRawOnly;
      printer.pPrintProcessor = info.Process;
    } else {
      printer.Attributes &= ~sys::spool::AttributeRawOnly;
      printer.pPrintProcessor = kWinPrint;
    }
    platform.lastError->Set(0);
  });
  if (!written) trace::Format(u"設置打印機屬性失敗：(%d)！", {platform.lastError->Get()});
  return written;
}

}  // namespace prn::install
