#pragma once
// Staging the selected entry's driver package under Program Files, in
// <Program Files>\<maker>\Printer Drivers\<model> (unless the staged copy is of
// the same driver version), and registering its INF in the system's INF store
// through the device-install library. The staged folder is deleted recursively
// with administrator rights, so the names that build it come from data and are
// checked before they aim anything.

#include "sys/platform.h"
#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::config {
class TInstallInfos;
}  // namespace prn::config

namespace prn::sys {
class CodePage;
class DeviceLibraries;
class LastError;
}  // namespace prn::sys

namespace prn::install {

// Which INF the run installs from: the classic window takes the copy in the
// system INF store, the progress-window flow the staged copy.
enum class InfChoice { SystemStoreCopy, StagedCopy };

// What staging a driver package needs to know of the run that asks for it.
struct StagingContext {
  sys::Platform platform;                          // files, code page, shell, libraries, last error
  const config::TInstallInfos* settings = nullptr;
  int m_iSelect = -1;                              // the selected entry
  ustring OEMManufactor;                           // strInstaller.OEMManufactor
  ustring inst2kDll;                               // the 32-bit device-install library
  sys::WindowHandle window = 0;                    // owner of the shell's windows
  bool wow64 = false;                              // 64-bit Windows: the entry's INFX64
  InfChoice infChoice = InfChoice::SystemStoreCopy;
};

// Copies an INF into the system's INF store through the device-install library.
struct InfRegistrar {
  sys::DeviceLibraries& libraries;
  sys::LastError& lastError;
  const sys::CodePage& ansi;
};

// Registers `infPath` through the library at `libraryPath` (raising
// "DllNotFound :\r\n<path>" when it cannot be loaded). On success
// `registeredPath` is the INF's path in the store; on failure it is left as it was.
bool RegisterInfFile(const InfRegistrar& registrar, const ustring& libraryPath, const ustring& infPath,
                     ustring& registeredPath);

struct StagingFolder {
  ustring root;    // <Program Files>\<maker>\Printer Drivers
  ustring folder;  // root\<model>
};

// True when `name` can stand as one folder name: not empty, no path
// separators, drive colons, wildcards, quotes or control characters, not "."
// or "..", no trailing blank or dot (Windows would drop it and name another
// folder) and no device name such as CON or LPT1.
bool IsPlainFolderName(ustring_view name);

// The spelling of a maker or model name as a folder name: "/" and ":" (a
// model "C5030/5035 PCL6") and a trailing "." or blank cannot stand in one,
// so they become "%2F", "%3A", "%2E" and "%20"; "%" itself becomes "%25", so
// that two names never share a folder. The name itself, as the spooler sees
// it, is not touched.
ustring FolderNameFor(ustring_view name);

// Builds the staging folder from the folder spellings of maker and model;
// raises prn::Error with a clear text when the Program Files folder is not
// an absolute path or a spelling is still not a plain folder name.
StagingFolder MakeStagingFolder(ustring_view programFiles, ustring_view maker, ustring_view model);

// True when the full path `target` lies strictly inside the full path `root`.
bool LiesUnder(ustring_view target, ustring_view root);

// Flags of the shell deletion of an old staging folder (0x414).
constexpr uint32_t kStagingDeleteFlags = 0x414;

// True when the package is staged and registered; `strOemInf` is then the INF
// to install from. A new copy is made beside the staging folder, checked and
// renamed into place, so a failed copy never stands there. Raises prn::Error
// with a clear text when the staging folder's names are not plain folder
// names, when the driver folder lies outside the package or behind a link,
// when the copy or its move into place fails, when an INF cannot be read,
// or when the DriverVer dates are unreadable.
bool BufferDriverFiles(const StagingContext& run, ustring& strOemInf);

}  // namespace prn::install
