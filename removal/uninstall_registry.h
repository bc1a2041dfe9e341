#pragma once
// The traces a driver installation leaves outside the spooler: the driver's
// key in the maker's uninstall tree, the tree's top key once it is empty, and
// the driver's oem*.inf copies.

#include "removal/removal_context.h"
#include "sys/registry.h"
#include "text/ustring.h"

namespace prn::removal {

// The uninstall root below HKEY_LOCAL_MACHINE (with its trailing backslash)
// and the registry view it is read in.
struct UninstallRoot {
  ustring path;
  sys::RegistryView view;
};
UninstallRoot UninstallRootFor(bool wow64);

// The maker's key below the root: "<uninstall key name> Printer Utilities".
ustring MakerKeyName(const ustring& uninstallKeyName);

// Deletes the driver's uninstall key (after its oem*.inf copies, unless the
// key's "Leave OEM INF" is 0) and, when no driver key is left, the maker's
// top key. True when the driver key, and where it applied the top key, went.
bool DelRegUninstallInfo(const RemovalContext& context, const ustring& driverName,
                         const ustring& uninstallKeyName);

}  // namespace prn::removal
