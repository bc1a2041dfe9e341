#pragma once
// Is the printer attached, and is its driver perhaps in place already?

#include <cstdint>

#include "sys/dialogs.h"
#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::install {

// Probes for the device through the 32-bit library, or through the 64-bit
// host on 64-bit Windows. 0 when the device is attached (with
// `driverFoundInstalled` when the probe found the driver in place),
// ReqOfflineInstall when an online printer of the model already sits on the
// device's port (or on any USB port), otherwise the probe's code. Raises
// "DllNotFound :\r\n<path>" when the 32-bit library cannot be loaded and
// "DllFileError" when it lacks Inst2k_IsInlineDeviceExist.
uint32_t ExistReqInlineSetupDevice(const sys::Platform& platform, sys::WindowHandle window,
                                   const ustring& inst2kDll, const ustring& hostPath, const ustring& inst2k64Dll,
                                   const ustring& hardwareId, const ustring& infPath, const ustring& printerName,
                                   bool& driverFoundInstalled);

}  // namespace prn::install
