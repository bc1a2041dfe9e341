#pragma once
// The GPD version of an installed driver and the printers that use it, for
// the check whether an older driver has to be removed before an install.

#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::install {

// Fills `printers` with the printers whose driver is named exactly
// `driverName` and answers the GPD version of that driver's data file (empty
// when no printer uses it). A data file that cannot be read raises prn::Error.
ustring GetDriverGpdVersion(const sys::Platform& platform, const ustring& driverName, StringList& printers);

// True when the installed driver's GPD version is lower than `requiredVersion`
// (the first differing part decides). False when no printer uses the driver.
// A version part that is not a number raises prn::Error with a text for the user.
bool InstalledGpdIsOlder(const sys::Platform& platform, const ustring& driverName, const ustring& requiredVersion,
                         StringList& printers);

}  // namespace prn::install
