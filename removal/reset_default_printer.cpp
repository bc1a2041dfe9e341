#include "removal/reset_default_printer.h"

#include "spooler/default_printer.h"
#include "spooler/printer_queries.h"
#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn::removal {

void ResetDefaultPrinter(const RemovalContext& context, ustring& newDefault) {
  newDefault.clear();
  sys::Spooler& spooler = *context.platform.spooler;
  ustring previous;
  if (!spooler::GetDefaultPrinterName(spooler, previous)) {
    const uint32_t error = context.platform.lastError->Get();
    if (error != winerr::FileNotFound) {
      trace::Format(u"GetDefaultPrinter Fail, Error Code :0x%.8x", {error});
      return;
    }
  }
  StringList printers;
  spooler::GetPrinterList(spooler, &printers);
  if (printers.empty() || spooler::PrinterExists(spooler, previous)) return;
  if (spooler::SetDefaultPrinterName(spooler, printers.front())) newDefault = printers.front();
}

}  // namespace prn::removal
