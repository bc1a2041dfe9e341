#pragma once
// The windows the system shows for the installer: message boxes and the
// shell's printer dialogs, each owned by one of ours.

#include <cstdint>

#include "text/ustring.h"

namespace prn::sys {

// A window handle as the portable logic carries it: the HWND's value, wide
// enough for both builds. 0 is no window.
using WindowHandle = std::uintptr_t;

// Button, icon and answer values of MessageBoxW.
namespace mb {
constexpr uint32_t Ok = 0x00;
constexpr uint32_t OkCancel = 0x01;
constexpr uint32_t YesNoCancel = 0x03;
constexpr uint32_t YesNo = 0x04;
constexpr uint32_t IconError = 0x10;
constexpr uint32_t IconQuestion = 0x20;
constexpr uint32_t IconWarning = 0x30;
constexpr uint32_t IconInformation = 0x40;

constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
}  // namespace mb

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal message box and answers the button the user chose.
  virtual int ShowMessage(WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) = 0;
};

// The shell's printer dialogs (SHInvokePrinterCommandW): the queue window,
// properties, printing preferences, the system test page.
namespace printaction {
constexpr uint32_t Open = 0;              // PRINTACTION_OPEN
constexpr uint32_t Properties = 1;        // PRINTACTION_PROPERTIES
constexpr uint32_t TestPage = 4;          // PRINTACTION_TESTPAGE
constexpr uint32_t DocumentDefaults = 6;  // PRINTACTION_DOCUMENTDEFAULTS
}  // namespace printaction

class PrinterCommands {
 public:
  virtual ~PrinterCommands() = default;
  // Not modal; false when the shell refused (or cannot be asked on this system).
  virtual bool InvokePrinterCommand(WindowHandle owner, uint32_t action, const ustring& printerName) = 0;
};

}  // namespace prn::sys
