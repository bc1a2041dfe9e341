#pragma once
// Removing an installed driver that is older than the package before an
// install: the GPD file version of the installed driver ("*GPDFileVersion:
// "1.0.2.8"") against the version the package requires; every printer of an
// older driver goes, and the driver with them, and Windows restarts when the
// user asks for it.

#include <cstdint>
#include <optional>
#include <vector>

#include "removal/delete_printer_and_driver.h"
#include "sys/platform.h"
#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::config {
struct TRInstallInfo;
struct TStrInstaller;
}  // namespace prn::config

namespace prn::install {

// The version a GPD line carries, when the line starts with the version key:
// up to 10 characters behind the key, ended by a double quote; empty when no
// quote follows within them.
std::optional<ustring> GpdVersionOfLine(ustring_view line);
// The version of the last line of a GPD text that carries one; nothing when
// no line does.
std::optional<ustring> GpdVersionOfText(ustring_view text);

// The numbers of a version text split at dots and blanks; raises prn::Error
// naming the text when a part is not a number.
std::vector<uint32_t> VersionNumbers(ustring_view version);

// True when `installed` is a lower version than `required`: the first part
// that differs decides, missing parts count as 0. An empty installed
// version (no driver found) is never older.
bool IsOlderVersion(ustring_view installed, ustring_view required);

// Fills `printers` with the printers whose driver is named exactly
// `driverName` and answers the GPD version of that driver's data file (empty
// when no printer uses it). A data file that cannot be read raises prn::Error.
ustring GetDriverGpdVersion(const sys::Platform& platform, const ustring& driverName, StringList& printers);

// True when the installed driver's GPD version is lower than `requiredVersion`
// (the first differing part decides). False when no printer uses the driver.
// A version part that is not a number raises prn::Error with a text for the user.
bool InstalledGpdIsOlder(const sys::Platform& platform, const ustring& driverName, const ustring& requiredVersion,
                         StringList& printers);

// Enables (or disables) a privilege of the process token. False without access
// tokens. Any failure (the token does not open, no such privilege, the token
// lacks it) raises prn::Error with the system's text for the error code.
// Uses privileges, last error and system of `platform`.
bool EnablePrivilege(const sys::Platform& platform, const ustring& name, bool enable);

// Enables SeShutdownPrivilege and, when that worked, asks Windows to restart
// (forcing hung programs). True when Windows accepted; the caller then ends
// the program.
bool RestartWindows(const sys::Platform& platform);

// When the installed driver's GPD version is lower than `packageVersion`,
// deletes each of its printers with the driver, stopping at the first that
// fails; `code` is the last DeletePrinterAndDriver result. True when nothing
// had to go or everything went. Raises prn::Error when the installed
// version cannot be read.
bool UninstallOlderDriver(const removal::RemovalContext& context, const ustring& driverName, const ustring& packageVersion,
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
BeforeInstallOutcome UninstallBeforeInstall(const removal::RemovalContext& context, const config::TRInstallInfo& entry,
                                            const config::TStrInstaller& texts, sys::WindowHandle owner,
                                            AfterRestartDeclined afterRestartDeclined);

}  // namespace prn::install
