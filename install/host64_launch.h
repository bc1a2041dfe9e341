#pragma once
// The 64-bit host (PrnSetup64.exe) started on the installer's behalf: in find
// mode it probes for the device and leaves the code in a result file, in
// install mode it installs the driver and reports to the window by message.

#include <cstdint>
#include <memory>

#include "sys/dialogs.h"
#include "sys/platform.h"
#include "sys/processes.h"
#include "text/ustring.h"

namespace prn::install {

// The install flags the probe passes (INSTALLFLAG_NONINTERACTIVE).
constexpr uint32_t kProbeInstallFlags = 4;

// The probe through the host in find mode; waits for the host without a time
// limit. 1067 when the host leaves no "Ret". Raises prn::Error with the
// system's text when no result file can be made beside the host, and with a
// clear text when the hardware ID or a path cannot travel on the host's
// command line intact.
uint32_t FindInlineDevice64(const sys::Platform& platform, sys::WindowHandle window, const ustring& hardwareId,
                            const ustring& infPath, const ustring& hostPath, const ustring& inst2k64Dll,
                            uint32_t installFlags);

// Starts the host in install mode on 64-bit Windows and returns at once;
// `hostProcess` receives the running host (left as it was when it did not
// start). `port` is where the 32-bit library finds the device, "LPT1:" when
// it finds none. Answers the Windows error code of a host that did not
// start (traced), 0 when it runs or nothing was to be started. Raises
// prn::Error as FindInlineDevice64 does for a value that cannot travel.
uint32_t InstallSpecPrinter64(const sys::Platform& platform, sys::WindowHandle window, const ustring& hostPath,
                          const ustring& infPath, const ustring& hardwareId, const ustring& inst2kDll,
                          const ustring& inst2k64Dll, std::unique_ptr<sys::Process>& hostProcess, ustring& port);

}  // namespace prn::install
