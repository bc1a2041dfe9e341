#pragma once
// The plug-and-play route: installing the package's driver for the attached
// printer, by the 32-bit library itself or through the 64-bit host.

#include <cstdint>

#include "install/install_context.h"
#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::config {
class TInstallInfos;
}

namespace prn::install {

// The library's FuncInst2K for the attached device on the port where the
// library finds it ("LPT1:" when it finds none). True for the flags 0 and 1.
// `errorCode` is the library's LastInstallErrorCode of the same load. Raises
// "DllNotFound :\r\n<path>" or, without FuncInst2K, "DllFileError".
bool InstallSpecPrinter2k(const sys::Platform& platform, sys::WindowHandle window, uint32_t& errorCode,
                          const ustring& infPath, const ustring& hardwareId, const ustring& inst2kDll,
                          ustring& port);

// The plug-and-play install of entry `index` over the run's context. Below
// Windows 2000 (m_iWinVer < 50) it fails at once. On 32-bit Windows the
// result is the library's; the state becomes IPInstalled. On 64-bit Windows
// it starts the host in install mode, enables the window's watchdog and
// answers false: the host's 0x402/0x401 to m_hWnd finishes the install, and
// m_hPrnSetup64 holds the host while that report is outstanding. A host that
// could not be started leaves m_hPrnSetup64 empty, the watchdog off and its
// error code in m_dwHostStartError and m_dwLastErrorCode: the run reports
// the failure itself.
bool PrinterOnLineInstall3264(const sys::Platform& platform, const config::TInstallInfos& settings,
                              InstallContext& context, int index);

}  // namespace prn::install
