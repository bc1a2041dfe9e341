#pragma once
// The 64-bit host's two modes. Find mode probes for the device with the
// library's Inst2k_IsInlineDeviceExist and leaves the code as "Ret" in the
// result file; install mode installs with FuncInst2K and tells the
// installer's window the outcome (0x402 success, 0x401 failure).

#include <cstdint>

#include "native/host64/host_arguments.h"
#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::config {
class ProfileStore;
}  // namespace prn::config

namespace prn::sys {
class CodePage;
class DeviceLibraries;
class FileSystem;
}  // namespace prn::sys

namespace prn::host64 {

// What the host shows and sends: its failure boxes (no owner, MB_ICONERROR,
// waiting for the user) and the install result message to the installer.
class HostUi {
 public:
  virtual ~HostUi() = default;
  virtual void ShowErrorBox(const ustring& text, const ustring& caption) = 0;
  // SendMessageW: returns when the window has handled the message.
  virtual void SendToWindow(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam) = 0;
};

struct HostContext {
  sys::DeviceLibraries& libraries;
  sys::FileSystem& files;  // makes the "/Dll" value a full path
  const sys::CodePage& codePage;
  config::ProfileStore& profiles;
  HostUi& ui;
};

constexpr uint32_t kInstallSucceeded = 0x402;  // WM_USER + 2
constexpr uint32_t kInstallFailed = 0x401;     // WM_USER + 1

struct InstallReport {
  int32_t result = 2;  // FuncInst2K's answer: 0, 1, -1 success; 2 or more failure
  uint32_t code = 0;   // the library's LastInstallErrorCode, or why none was fetched
};

// 0x402 for a result of 1 or less (signed: -1 counts as success), else 0x401.
uint32_t ChooseMessage(int32_t result);

void RunFindMode(const HostContext& context, const HostArguments& arguments);
InstallReport RunInstallMode(const HostContext& context, const HostArguments& arguments);
// Runs the mode the arguments choose; the host's exit code, always 0.
int RunHost(const HostContext& context, const HostArguments& arguments);

}  // namespace prn::host64
