#pragma once
// The windows the system shows for ours: message boxes, and the shell's
// printer dialogs through shell32's SHInvokePrinterCommandW.

#include "sys/dialogs.h"
#include "sys/win32/handle.h"

namespace prn::win32 {

class Win32Dialogs : public sys::Dialogs {
 public:
  int ShowMessage(sys::WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) override;
};

class Win32PrinterCommands : public sys::PrinterCommands {
 public:
  Win32PrinterCommands();
  // False without the call; under Wine, whose shell32 ends the process on
  // it, the call is never made.
  bool InvokePrinterCommand(sys::WindowHandle owner, uint32_t action, const ustring& printerName) override;

 private:
  using InvokeFunction = BOOL(WINAPI*)(HWND, UINT, LPCWSTR, LPCWSTR, BOOL);
  Module shell_;
  InvokeFunction invoke_ = nullptr;
};

// True when running under Wine (ntdll exports wine_get_version).
bool RunningUnderWine();

}  // namespace prn::win32
