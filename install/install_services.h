#pragma once
// What one install run and its completion handlers work with: the machine,
// the loaded settings and texts, the window's install context and printer
// lists, the hosting window and how that window differs from the other.

#include "install/install_context.h"
#include "install/install_policy.h"
#include "install/install_window.h"
#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::config {
class TInstallInfos;
struct TStrInstaller;
}  // namespace prn::config

namespace prn::install {

class HostReport;

struct InstallServices {
  sys::Platform platform;
  const config::TInstallInfos* settings = nullptr;
  const config::TStrInstaller* texts = nullptr;
  InstallContext* context = nullptr;
  // The printers of the model before and after the install (g_slPrintersBefore/After).
  StringList* printersBefore = nullptr;
  StringList* printersAfter = nullptr;
  InstallWindow* window = nullptr;
  HostReport* hostReport = nullptr;
  InstallPolicy policy;
};

}  // namespace prn::install
