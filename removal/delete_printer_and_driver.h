#pragma once
// Deleting a print queue and, when no other queue needs it, its driver.

#include <cstdint>

#include "removal/removal_context.h"
#include "text/ustring.h"

namespace prn::removal {

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

}  // namespace prn::removal
