#pragma once
// The install state of a window and the values one install run keeps and
// hands to its completion handlers. Each window's InstallRunner owns one.

#include <atomic>
#include <cstdint>
#include <memory>

#include "sys/dialogs.h"
#include "sys/processes.h"
#include "text/ustring.h"

namespace prn::config {
struct ProcessValues;
}

namespace prn::install {

enum class TInstallProgress : uint8_t {
  IPNotStart = 0,
  IPPrepareed = 1,
  IPInstalling = 2,
  IPInstalled = 3,
};

struct InstallContext {
  int m_iSelect = -1;  // the selected printer entry; below 0 when none is selected
  ustring m_strInst2kDll;
  ustring m_strInst2k64Dll;
  ustring m_strPrnSetup64Exe;
  int32_t m_iWinVer = 0;  // major × 10 + minor
  bool m_bWow64 = false;
  // Owner of dialogs, and the window the library and the 64-bit host are
  // given: the hosting window's own handle, taken when a run starts.
  sys::WindowHandle m_hWnd = 0;
  // Read by the window's timers on the UI thread while a worker runs the install.
  std::atomic<TInstallProgress> m_InstallingProgress{TInstallProgress::IPNotStart};
  uint32_t m_dwLastErrorCode = 0;
  ustring m_strDisConnectPort;
  ustring m_strInstallingPrinter;
  ustring m_strInstallPortName;
  // The 64-bit host started in install mode, until the run hands it to the
  // watch of its report; empty when it did not start.
  std::unique_ptr<sys::Process> m_hPrnSetup64;
  bool m_bOnlineInstall = false;
};

// Copies what start-up found (library and host paths, Windows version, the
// WOW64 flag) into a window's install context.
void TakeStartupValues(InstallContext& context, const config::ProcessValues& values);

// The installer's own install result codes. They share the 32-bit error
// value of an install step with Windows and SetupAPI codes.

// The printer was not added through the system printer UI.
constexpr uint32_t UIAddPrinterFailed = 0x20280001;
// The printer is judged installed on its port already; install offline instead.
constexpr uint32_t ReqOfflineInstall = 0x20280010;
// The printer UI ran but the new printer could not be told apart.
constexpr uint32_t UIAddPrinterNoNewPrinter = 0x20280020;

}  // namespace prn::install
