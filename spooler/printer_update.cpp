#include "spooler/printer_update.h"

#include "sys/spooler.h"
#include "sys/win_errors.h"

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

bool GetDefaultPrinterName(sys::Spooler& spooler, ustring& name) {
  name.clear();
  ustring read;
  if (!spooler.ReadDefaultPrinter(read)) return false;
  name = read;
  return true;
}

bool SetDefaultPrinterName(sys::Spooler& spooler, const ustring& name) { return spooler.WriteDefaultPrinter(name); }

bool DeletePrinterDriverExW(sys::Spooler& spooler, const ustring& server, const ustring& environment,
                            const ustring& driverName, uint32_t deleteFlag, uint32_t versionFlag) {
  return spooler.RemoveDriver(server, environment, driverName, deleteFlag, versionFlag);
}

namespace {

constexpr char16_t kLpt1[] = u"LPT1:";
// Orientation, paper size, n-up, copies, default source, print quality,
// colour, TrueType option, collate, form name, ICM method and intent, dither.
constexpr uint32_t kLpt1Fields = 0x0581CF43;

sys::DEVMODEW Lpt1DeviceMode(const ustring& printerName) {
  sys::DEVMODEW dm{};
  // The field holds 31 characters; the queue keeps its full name in pPrinterName.
  sys::CopyFixedText(dm.dmDeviceName, printerName);
  dm.dmSpecVersion = 0x401;
  dm.dmDriverVersion = 0x100;
  dm.dmSize = sizeof(sys::DEVMODEW);
  dm.dmDriverExtra = 0;
  dm.dmFields = kLpt1Fields;
  dm.dmOrientation = 1;     // portrait
  dm.dmPaperSize = 9;       // A4
  dm.dmPaperLength = 2970;  // tenths of a millimetre
  dm.dmPaperWidth = 2100;
  dm.dmScale = 100;
  dm.dmCopies = 1;
  dm.dmDefaultSource = 15;  // form source
  dm.dmPrintQuality = 180;
  dm.dmColor = 1;           // monochrome
  dm.dmDuplex = 1;          // simplex
  dm.dmYResolution = 180;
  dm.dmTTOption = 2;        // download
  dm.dmCollate = 1;
  sys::CopyFixedText(dm.dmFormName, u"A4");
  dm.dmNup = 1;             // system n-up
  dm.dmICMMethod = 1;       // none
  dm.dmICMIntent = 2;
  dm.dmMediaType = 1;       // standard
  dm.dmDitherType = 0xFFFFFFFF;
  return dm;
}

}  // namespace

sys::PRINTER_INFO_2W Lpt1PrinterInfo(const ustring& driverName, const ustring& printerName) {
  sys::PRINTER_INFO_2W info;
  info.pPrinterName = printerName;
  info.pPortName = kLpt1;
  info.pDriverName = driverName;
  info.pDevMode = sys::DeviceMode{Lpt1DeviceMode(printerName), {}};
  info.pPrintProcessor = u"WinPrint";
  info.pDatatype = u"RAW";
  info.Attributes = sys::spool::AttributeLocal;
  info.Priority = 1;
  return info;
}

bool AddPrinterOnLpt1(sys::Spooler& spooler, sys::LastError& lastError, const ustring& driverName,
                      const ustring& printerName) {
  if (driverName.empty() || printerName.empty()) {
    lastError.Set(winerr::InvalidParameter);
    return false;
  }
  return spooler.AddPrinterQueue(Lpt1PrinterInfo(driverName, printerName)) != nullptr;
}

}  // namespace prn::spooler
