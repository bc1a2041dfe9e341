#include "spooler/printer_update.h"

namespace prn::spooler {

namespace {
constexpr char16_t kRawDatatype[] = u"RAW";
}

// Only the public part travels, so the copy must not claim the driver's
// private bytes: the spooler would read them from past its end.
sys::DEVMODEW PublicDevModeCopy(const sys::DeviceMode& deviceMode) {
  sys::DEVMODEW copy = deviceMode.dm;
  copy.dmSize = sizeof(sys::DEVMODEW);
  copy.dmDriverExtra = 0;
  return copy;
}

bool UpdatePrinter(sys::Spooler& spooler, const ustring& printerName, const PrinterChange& change) {
  sys::PRINTER_DEFAULTSW defaults;
  defaults.pDatatype = kRawDatatype;
  defaults.DesiredAccess = sys::spool::PrinterAllAccess;
  {
    auto reader = spooler.OpenPrinterHandle(printerName);
    if (!reader) return false;
    sys::PRINTER_INFO_2W current;
    if (reader->GetInfo2(current) && current.pDevMode) defaults.pDevMode = PublicDevModeCopy(*current.pDevMode);
  }
  auto writer = spooler.OpenPrinterHandle(printerName, &defaults);
  if (!writer) return false;
  sys::PRINTER_INFO_2W info;
  if (!writer->GetInfo2(info)) return false;
  change(info, *writer);
  return writer->SetInfo2(info);
}

}  // namespace prn::spooler
