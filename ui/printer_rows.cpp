#include "ui/printer_rows.h"

#include <algorithm>

#include "spooler/printer_queries.h"
#include "sys/spooler.h"
#include "text/ascii.h"

namespace prn::ui {

namespace {

bool Skipped(const ustring& name) {
  return AsciiUpper(name) == u"FAX" || name.rfind(u"\\\\", 0) == 0;
}

bool LessNoCase(const ustring& a, const ustring& b) {
  const ustring upperA = AsciiUpper(a);
  const ustring upperB = AsciiUpper(b);
  return upperA != upperB ? upperA < upperB : a < b;
}

}  // namespace

PrinterRows BuildPrinterRows(sys::Spooler& spooler, const config::TStrInstaller& texts) {
  PrinterRows result;
  ustring defaultName;
  if (!spooler.ReadDefaultPrinter(defaultName)) defaultName.clear();

  StringList names;
  spooler::GetPrinterList(spooler, &names);
  std::sort(names.begin(), names.end(), LessNoCase);

  for (const ustring& name : names) {
    if (Skipped(name)) continue;
    auto printer = spooler.OpenPrinterHandle(name);
    sys::PRINTER_INFO_2W info;
    if (!printer || !printer->GetInfo2(info)) continue;

    PrinterRow row{name, info.pPortName, texts.PrinterStatusOnline, printer_image::Plain};
    const bool isDefault = !defaultName.empty() && EqualsNoCase(name, defaultName);
    if (isDefault) {
      result.defaultIndex = static_cast<int>(result.rows.size());
      row.image = printer_image::Default;
    }
    if (!info.pServerName.empty()) row.image = isDefault ? printer_image::ServerDefault : printer_image::Server;
    if (info.Attributes & sys::spool::AttributeWorkOffline) {
      row.status = texts.PrinterStatusOffline;
      row.image += printer_image::OfflineOffset;
    }
    result.rows.push_back(std::move(row));
  }
  return result;
}

}  // namespace prn::ui
