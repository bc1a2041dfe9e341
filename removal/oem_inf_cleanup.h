#pragma once
// Removes the copies of a driver's INF that Windows keeps as oem*.inf in the
// system INF folder, with their precompiled .pnf files.

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}

namespace prn::removal {

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
