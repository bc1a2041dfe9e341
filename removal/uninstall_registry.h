#pragma once
// The traces a driver installation leaves outside the spooler: the driver's
// key in the maker's uninstall tree, the tree's top key once it is empty, and
// the driver's oem*.inf copies that Windows keeps in the system INF folder,
// with their precompiled .pnf files.

#include "removal/delete_printer_and_driver.h"
#include "sys/registry.h"
#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}  // namespace prn::sys

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

// True when the INF is of class `className` and its provider's section lists
// the driver as a key, bare or in double quotes.
bool InfListsModel(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& driverName,
                   const ustring& infPath, const ustring& className);

// The system INF folder for a system directory: "C:\Windows\system32" gives
// "C:\Windows\inf\".
ustring InfFolderOf(const ustring& systemDirectory);

// Deletes every oem*.inf of the driver with its .pnf; answers how many INF
// files matched (failed deletions count too).
int LeaveOEMInf(sys::FileSystem& files, const sys::CodePage& ansi, const ustring& systemDirectory,
                const ustring& driverName, const ustring& className);

}  // namespace prn::removal
