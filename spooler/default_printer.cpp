#include "spooler/default_printer.h"

namespace prn::spooler {

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

}  // namespace prn::spooler
