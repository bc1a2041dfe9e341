#pragma once
// What the host shows and sends: its failure boxes (no owner, MB_ICONERROR,
// waiting for the user) and the install result message to the installer.

#include <cstdint>

#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::host64 {

class HostUi {
 public:
  virtual ~HostUi() = default;
  virtual void ShowErrorBox(const ustring& text, const ustring& caption) = 0;
  // SendMessageW: returns when the window has handled the message.
  virtual void SendToWindow(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam) = 0;
};

}  // namespace prn::host64
