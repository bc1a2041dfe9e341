// PrnSetup64.exe: runs the 64-bit device-install library for the 32-bit
// installer. It always ends with exit code 0; the installer only watches
// whether it still runs.

#include <windows.h>

#include "config/profile_store.h"
#include "native/host64/host_run.h"
#include "sys/win32/system_info.h"
#include "sys/win32/device_library.h"
#include "sys/win32/files.h"
#include "sys/win32/hardening.h"
#include "sys/win32/text.h"

namespace prn::host64 {

// The host's boxes (MessageBoxW without owner) and its result message (SendMessageW).
class Win32HostUi : public HostUi {
 public:
  void ShowErrorBox(const ustring& text, const ustring& caption) override;
  void SendToWindow(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam) override;
};

// Profile files through the system's own profile functions.
class Win32ProfileStore : public config::ProfileStore {
 public:
  int32_t ReadInteger(const ustring& path, ustring_view section, ustring_view key, int32_t defaultValue) override;
  ustring ReadString(const ustring& path, ustring_view section, ustring_view key,
                     ustring_view defaultValue) override;
  uint32_t WriteString(const ustring& path, ustring_view section, ustring_view key, ustring_view value) override;
};

void Win32HostUi::ShowErrorBox(const ustring& text, const ustring& caption) {
  MessageBoxW(nullptr, win32::W(text), win32::W(caption), MB_ICONERROR);
}

void Win32HostUi::SendToWindow(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam) {
  SendMessageW(reinterpret_cast<HWND>(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

using win32::W;

int32_t Win32ProfileStore::ReadInteger(const ustring& path, ustring_view section, ustring_view key,
                                       int32_t defaultValue) {
  return static_cast<int32_t>(
      GetPrivateProfileIntW(W(ustring(section)), W(ustring(key)), defaultValue, W(path)));
}

ustring Win32ProfileStore::ReadString(const ustring& path, ustring_view section, ustring_view key,
                                      ustring_view defaultValue) {
  // Grows the buffer while the value fills it (the call cuts without saying so).
  for (DWORD size = 256;; size *= 2) {
    std::wstring buffer(size, L'\0');
    DWORD length = GetPrivateProfileStringW(W(ustring(section)), W(ustring(key)), W(ustring(defaultValue)),
                                            buffer.data(), size, W(path));
    if (length + 1 < size || size >= 65536) return win32::U(buffer.data(), length);
  }
}

uint32_t Win32ProfileStore::WriteString(const ustring& path, ustring_view section, ustring_view key,
                                        ustring_view value) {
  if (WritePrivateProfileStringW(W(ustring(section)), W(ustring(key)), W(ustring(value)), W(path))) return 0;
  return static_cast<uint32_t>(GetLastError());
}

}  // namespace prn::host64

int wmain(int, wchar_t**) {
  // Before the library is loaded: what it loads by name comes from System32
  // only, never from the folder the host was started from.
  prn::win32::HardenProcess();
  try {
    // The command line is split by the rules the installer quotes for, not
    // by whichever C run-time this build happens to start with.
    const prn::host64::HostArguments arguments = prn::host64::ParseHostCommandLine(prn::win32::U(GetCommandLineW()));
    prn::win32::Win32DeviceLibraries libraries;
    prn::win32::Win32FileSystem files;
    prn::win32::Win32CodePage codePage;
    prn::host64::Win32ProfileStore profiles;
    prn::host64::Win32HostUi ui;
    return prn::host64::RunHost({libraries, files, codePage, profiles, ui}, arguments);
  } catch (...) {
    return 0;
  }
}
