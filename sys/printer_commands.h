#pragma once
// The shell's printer dialogs (SHInvokePrinterCommandW): the queue window,
// properties, printing preferences, the system test page.

#include <cstdint>

#include "sys/window_handle.h"
#include "text/ustring.h"

namespace prn::sys {

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
