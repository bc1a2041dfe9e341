#include "spooler/printer_queries.h"

#include <algorithm>

#include "spooler/printer_update.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/format.h"
#include "trace/trace.h"

namespace prn::spooler {

namespace {
constexpr char16_t kOnSeparator[] = u" on ";
}

bool PrinterExists(sys::Spooler& spooler, const ustring& printerName) {
  auto printers = spooler.EnumeratePrinters2(sys::spool::EnumLocal);
  if (!printers.ok) return false;
  return std::any_of(printers.records.begin(), printers.records.end(),
                     [&](const auto& p) { return EqualsNoCase(p.pPrinterName, printerName); });
}

bool PrinterDriverExists(sys::Spooler& spooler, const ustring& driverName, const ustring& environment) {
  auto drivers = spooler.EnumerateDrivers1({}, environment);
  if (!drivers.ok) {
    trace::Message(u"列舉系統打印機驅動程序失敗！");
    return false;
  }
  return std::any_of(drivers.records.begin(), drivers.records.end(),
                     [&](const auto& d) { return EqualsNoCase(d.pName, driverName); });
}

// The port list is asked for its size first: an ordinary machine's ports do
// not fit a fixed buffer, and a missed port would never be applied.
bool PortExists(sys::Spooler& spooler, const ustring& portName) {
  auto ports = spooler.EnumeratePorts2();
  if (!ports.ok) return false;
  return std::any_of(ports.records.begin(), ports.records.end(),
                     [&](const auto& p) { return p.pPortName == portName; });
}

int GetPrinterList(sys::Spooler& spooler, StringList* list) {
  auto printers = spooler.EnumeratePrinters4(sys::spool::EnumLocal | sys::spool::EnumConnections);
  if (!list || !printers.ok || printers.records.empty()) return -1;
  list->clear();
  for (const auto& printer : printers.records) {
    const ustring& name = printer.pPrinterName;
    list->push_back(name.substr(0, name.find(kOnSeparator)));
  }
  ustring defaultName;
  if (!spooler.ReadDefaultPrinter(defaultName)) return -1;
  auto found = std::find_if(list->begin(), list->end(), [&](const ustring& n) { return EqualsNoCase(n, defaultName); });
  return found == list->end() ? -1 : static_cast<int>(found - list->begin());
}

ustring GetPrinterPort(sys::Spooler& spooler, sys::LastError& lastError, const ustring& printerName) {
  lastError.Set(0);
  if (printerName.empty()) {
    trace::Format(u"在檢查打印機【%s】的時候出錯了：0x%.8x", {printerName, lastError.Get()});
    return {};
  }
  auto printer = spooler.OpenPrinterHandle(printerName);
  if (!printer) return {};
  sys::PRINTER_INFO_5W info;
  ustring port;
  if (printer->GetInfo5(info)) port = info.pPortName;
  printer.reset();
  trace::Format(u"你要檢測的打印機【%s】端口為：%s", {printerName, port});
  return port;
}

ustring GetPrinterDriverName(sys::Spooler& spooler, const ustring& printerName) {
  auto printer = spooler.OpenPrinterHandle(printerName);
  sys::PRINTER_INFO_2W info;
  if (!printer || !printer->GetInfo2(info)) return {};
  return info.pDriverName;
}

bool GetPrinterInfo(sys::Spooler& spooler, const ustring& printerName, sys::PRINTER_INFO_2W& info,
                    bool& driverShared) {
  driverShared = false;
  auto printers = spooler.EnumeratePrinters2(sys::spool::EnumLocal);
  if (!printers.ok) return false;
  auto found = std::find_if(printers.records.begin(), printers.records.end(),
                            [&](const auto& p) { return p.pPrinterName == printerName; });
  if (found == printers.records.end()) return true;
  info = *found;
  auto users = std::count_if(printers.records.begin(), printers.records.end(),
                             [&](const auto& p) { return p.pDriverName == found->pDriverName; });
  driverShared = users > 1;
  return true;
}

bool IsPrinterOnline(sys::Spooler& spooler, const ustring& printerName, bool& online) {
  auto printer = spooler.OpenPrinterHandle(printerName);
  if (!printer) return false;
  sys::PRINTER_INFO_5W info;
  if (!printer->GetInfo5(info)) return false;
  online = (info.Attributes & sys::spool::AttributeWorkOffline) == 0;
  return true;
}

bool SetPrinterOnline(sys::Spooler& spooler, const ustring& printerName, bool online) {
  return UpdatePrinter(spooler, printerName, [online](sys::PRINTER_INFO_2W& info, sys::Printer&) {
    if (online) {
      info.Attributes &= ~sys::spool::AttributeWorkOffline;
    } else {
      info.Attributes |= sys::spool::AttributeWorkOffline;
    }
    info.Status |= sys::spool::StatusNotAvailable;
  });
}

namespace {

constexpr uint32_t kMostJobs = 1000;

struct StatusName {
  uint32_t status;
  const char16_t* text;
};

constexpr StatusName kStatusNames[] = {
    {0, u"Waiting"},    {1, u"Paused"},   {2, u"Error"},          {4, u"Deleting"},
    {8, u"Spooling"},   {16, u"Printing"}, {17, u"Paused Printing"}, {32, u"Offline"},
    {64, u"Paper Out"}, {128, u"Printed"}, {256, u"Deleted"},      {512, u"Blocked"},
    {1024, u"User Intervention"}, {2048, u"Restart"},
};

}  // namespace

// The jobs are asked for their size first: a long queue that overflowed a
// fixed buffer would read as empty, and removal would delete a busy printer.
int GetPrinterJobs(sys::Spooler& spooler, const ustring& printerName, StringList* list, const ustring& prefix) {
  auto printer = spooler.OpenPrinterHandle(printerName);
  if (!printer) return 0;
  auto jobs = printer->EnumerateJobs(0, kMostJobs);
  if (!jobs.ok) return 0;
  if (list) {
    list->clear();
    for (const auto& job : jobs.records) {
      list->push_back(prefix + Format(u"%s(%s)", {job.pDocument, JobStatusText(job.Status)}));
    }
  }
  return static_cast<int>(jobs.records.size());
}

ustring JobStatusText(uint32_t status) {
  for (const auto& name : kStatusNames) {
    if (name.status == status) return name.text;
  }
  return u"Status " + ToDecimal(status);
}

}  // namespace prn::spooler
