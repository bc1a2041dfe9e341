#include "install/installed_driver.h"

#include "install/file_text.h"
#include "install/gpd_version.h"
#include "spooler/printer_queries.h"
#include "sys/spooler.h"

namespace prn::install {

ustring GetDriverGpdVersion(const sys::Platform& platform, const ustring& driverName, StringList& printers) {
  ustring version;
  printers.clear();
  StringList names;
  spooler::GetPrinterList(*platform.spooler, &names);
  for (const ustring& name : names) {
    auto printer = platform.spooler->OpenPrinterHandle(name);
    if (!printer) continue;
    sys::DRIVER_INFO_3W driver;
    if (!printer->GetDriverInfo3(driver) || driver.pName != driverName) continue;
    printers.push_back(name);
    auto found = GpdVersionOfText(ReadFileText(*platform.files, *platform.codePage, driver.pDataFile));
    if (found) version = *found;
  }
  return version;
}

bool InstalledGpdIsOlder(const sys::Platform& platform, const ustring& driverName, const ustring& requiredVersion,
                         StringList& printers) {
  ustring installed = GetDriverGpdVersion(platform, driverName, printers);
  return IsOlderVersion(installed, requiredVersion);
}

}  // namespace prn::install
