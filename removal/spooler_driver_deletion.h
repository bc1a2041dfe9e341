#pragma once
// Deleting a driver through the spooler, the fallback when the system
// printer UI leaves it installed.

#include "removal/removal_context.h"
#include "text/ustring.h"

namespace prn::removal {

// Deletes the driver with its unused files; a failed attempt is tried once
// more after a pause of about 1.1 seconds. On success, with a non-empty
// uninstall key name, its uninstall traces go too.
bool DelSpecPrnDrv(const RemovalContext& context, const ustring& driverName, const ustring& uninstallKeyName);

}  // namespace prn::removal
