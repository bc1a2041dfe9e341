#pragma once
// The process-wide values of one run of the installer. Start-up owns the one
// instance; everything else gets it (or the parts it needs) handed in. The
// work-folder paths and the loaded settings are filled during start-up, before
// any second thread exists (but the Resource copy's own), and are only read
// afterwards.

#include <cstdint>
#include <memory>
#include <optional>

#include "config/install_infos.h"
#include "config/lang_options.h"
#include "config/str_installer.h"
#include "config/resource_copy.h"
#include "sys/system_info.h"
#include "text/ustring.h"

namespace prn::config {

struct ProcessValues {
  ProcessValues() = default;
  ProcessValues(const ProcessValues&) = delete;
  ProcessValues& operator=(const ProcessValues&) = delete;

  // Created in this order before the entry runs.
  config::TInstallInfos installInfos;
  uint16_t g_wSystemLangId = 0;
  config::TStrInstaller strInstaller;
  config::TLangOptions langOptions{strInstaller};

  // "EN", "SC" or "TC" as typed on the command line, or empty.
  ustring g_strLangCode;

  // Work folder and what was extracted into it (full paths).
  ustring g_strWorkDir;
  ustring g_strResourceDir;  // with trailing backslash, empty without a Resource folder
  ResourceCopy resourceCopy;  // wait for it before reading g_strResourceDir's files
  ustring g_strSetupIni;
  ustring g_strLangIni;
  ustring g_strInst2kDll;
  ustring g_strInst2k64Dll;
  ustring g_strPrnSetup64Exe;
  ustring usbPortLibrary;  // the package's PLP_RW.DLL copied here; empty when it has none
  // g_strWorkDir once this run has created it (only then may it remove it),
  // holding the extracted files until the folder goes.
  std::unique_ptr<sys::PrivateFolder> workFolder;

  int32_t g_iWinVer = 0;  // major × 10 + minor
  bool g_bWow64 = false;

  // Printer names before and after an install; they exist from start-up to clean-up.
  std::optional<StringList> g_slPrintersBefore;
  std::optional<StringList> g_slPrintersAfter;
};

}  // namespace prn::config
