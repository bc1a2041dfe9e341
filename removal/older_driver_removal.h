#pragma once
// Removing an installed driver that is older than the package before an
// install: every printer of that driver goes, and the driver with them.

#include <cstdint>

#include "removal/removal_context.h"
#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::config {
struct TRInstallInfo;
struct TStrInstaller;
}  // namespace prn::config

namespace prn::removal {

// When the installed driver's GPD version is lower than `packageVersion`,
// deletes each of its printers with the driver, stopping at the first that
// fails; `code` is the last DeletePrinterAndDriver result. True when nothing
// had to go or everything went. Raises prn::Error when the installed
// version cannot be read.
bool UninstallOlderDriver(const RemovalContext& context, const ustring& driverName, const ustring& packageVersion,
                          const ustring& uninstallKeyName, uint8_t& code);

// What the user chose when the printer was deleted but its driver stayed and
// a restart is offered: the skinned window installs anyway after "No", the
// classic window does not.
enum class AfterRestartDeclined { Install, DoNotInstall };

struct BeforeInstallOutcome {
  bool mayContinue = true;
  // Windows accepted the restart the user asked for; the application ends
  // (and mayContinue is false).
  bool endApplication = false;
};

// The check before an install of `entry`: when its MustUninstallForGDP names
// a newer version than the installed driver's, asks the user whether the old
// driver may go, removes it and reports failures; every question and report
// is a message box owned by `owner`.
BeforeInstallOutcome UninstallBeforeInstall(const RemovalContext& context, const config::TRInstallInfo& entry,
                                            const config::TStrInstaller& texts, sys::WindowHandle owner,
                                            AfterRestartDeclined afterRestartDeclined);

}  // namespace prn::removal
