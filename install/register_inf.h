#pragma once
// Copies an INF into the system's INF store through the device-install library.

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class DeviceLibraries;
class LastError;
}

namespace prn::install {

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

}  // namespace prn::install
