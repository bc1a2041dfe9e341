#pragma once
// What staging a driver package needs to know of the run that asks for it.

#include "sys/dialogs.h"
#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::config {
class TInstallInfos;
}

namespace prn::install {

// Which INF the run installs from: the classic window takes the copy in the
// system INF store, the progress-window flow the staged copy.
enum class InfChoice { SystemStoreCopy, StagedCopy };

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

}  // namespace prn::install
