#pragma once
// The installer's single calls into the 32-bit device-install library: each
// loads the library by full path, calls one export and unloads it again.

#include <cstdint>

#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::install {

class Inst2kSession;

// The error raised when the library lacks an export the installer must call.
inline constexpr char16_t kDllFileError[] = u"DllFileError";

// Searches the devices for the hardware ID; `port` is the port its instance ID
// names ("USB001", "LPT1:"), empty when none. With `refreshFirst` the device
// tree is re-read before. Raises "DllNotFound :\r\n<path>" when the library
// cannot be loaded; false with an empty port when it lacks FuncFindExistDevice.
bool FindExistDevice(const sys::Platform& platform, const ustring& libraryPath, const ustring& hardwareId,
                     ustring& foundHardwareId, ustring& port, bool refreshFirst);

// Asks the library to re-read the device tree; silent when it cannot be loaded.
void RefreshSystemHW(const sys::Platform& platform, const ustring& libraryPath);

// Switches the library's failure boxes (ShowErrorCode -1 or 0) for this load.
// Raises "DllNotFound :\r\n<path>" when the library cannot be loaded.
void SetShowErrorCode(const sys::Platform& platform, const ustring& libraryPath, bool enable);

// The library's LastInstallErrorCode of this load; 1 when the library is not
// loaded or lacks the export.
uint32_t GetLastInstallErrorCode(Inst2kSession& library);

}  // namespace prn::install
