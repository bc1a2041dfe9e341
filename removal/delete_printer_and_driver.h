#pragma once
// Deleting a print queue and, when no other queue needs it, its driver: through
// the system printer UI (rundll32 printui.dll,PrintUIEntry, quietly), judged by
// asking the spooler afterwards, with the spooler itself as the driver's fallback;
// then giving the user a default printer again when the deletion took it away.

#include <cstdint>

#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::removal {

// What the removal routines need of the machine and of the running installer.
struct RemovalContext {
  RemovalContext() = default;
  // For this machine: wow64 as the system reports it.
  explicit RemovalContext(sys::Platform machine);
  RemovalContext(sys::Platform machine, bool runsUnderWow64) : platform(machine), wow64(runsUnderWow64) {}

  // spooler, processes, registry, files, code page, system, last error, dialogs, privileges
  sys::Platform platform;
  // The installer runs on 64-bit Windows: its uninstall entries sit in the
  // registry's 32-bit view and the system's drivers are "Windows x64" ones.
  bool wow64 = false;
};

// Results of DeletePrinterAndDriver (callers treat 2 like 3; 2 is never produced).
namespace deletion {
constexpr uint8_t Deleted = 0;            // the driver went too, or was kept for another printer, or was not asked for
constexpr uint8_t PrinterHasJobs = 1;     // nothing was changed
constexpr uint8_t PrinterNotDeleted = 3;
constexpr uint8_t DriverNotDeleted = 4;   // the printer is gone, its driver stayed
}  // namespace deletion

// Deletes the printer through the system printer UI (after setting it
// offline) and, when `deleteDriver` is true and no other printer uses its
// driver, the driver (UI first, then the spooler). `deleteDriver` is false on
// return when the driver deletion failed. The uninstall key name names the
// maker's uninstall entries to clean up after the driver; empty for none.
uint8_t DeletePrinterAndDriver(const RemovalContext& context, const ustring& uninstallKeyName,
                               const ustring& printerName, bool& deleteDriver);

// When the default printer no longer exists, the first listed printer
// becomes the default; `newDefault` is its name, else empty.
void ResetDefaultPrinter(const RemovalContext& context, ustring& newDefault);

// The command lines with `program` standing for "rundll32"; /h names the
// drivers of 64-bit Windows when the installer runs under WOW64.
ustring PrintUiDeletePrinterCommand(ustring_view program, const ustring& printerName, bool wow64);
ustring PrintUiDeleteDriverCommand(ustring_view program, const ustring& driverName, bool wow64);

// `deletedName` is the printer's name when it is gone afterwards, else empty.
void UIDeletePrinter(const RemovalContext& context, const ustring& printerName, ustring& deletedName);

// `deletedName` is the driver's name when it is gone afterwards, else empty.
// Then, with a non-empty uninstall key name, its uninstall traces go too.
void UIDeletePrinterDriver(const RemovalContext& context, const ustring& driverName,
                           const ustring& uninstallKeyName, ustring& deletedName);

// Deletes the driver with its unused files; a failed attempt is tried once
// more after a pause of about 1.1 seconds. On success, with a non-empty
// uninstall key name, its uninstall traces go too.
bool DelSpecPrnDrv(const RemovalContext& context, const ustring& driverName, const ustring& uninstallKeyName);

}  // namespace prn::removal
