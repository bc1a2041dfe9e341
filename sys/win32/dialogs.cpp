#include "sys/win32/dialogs.h"

#include "sys/win32/hardening.h"
#include "sys/win32/text.h"

namespace prn::win32 {

int Win32Dialogs::ShowMessage(sys::WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) {
  return MessageBoxW(reinterpret_cast<HWND>(owner), W(text), W(caption), flags);
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

Win32PrinterCommands::Win32PrinterCommands() {
  if (RunningUnderWine()) return;
  shell_.Reset(LoadSystemLibrary(L"shell32.dll"));
  if (shell_) {
    invoke_ = reinterpret_cast<InvokeFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell_.Get(), "SHInvokePrinterCommandW")));
  }
}

bool Win32PrinterCommands::InvokePrinterCommand(sys::WindowHandle owner, uint32_t action, const ustring& printerName) {
  if (!invoke_) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
  }
  return invoke_(reinterpret_cast<HWND>(owner), action, W(printerName), nullptr, FALSE) != FALSE;
}

}  // namespace prn::win32
