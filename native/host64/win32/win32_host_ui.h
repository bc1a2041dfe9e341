#pragma once
// The host's boxes (MessageBoxW without owner) and its result message (SendMessageW).

#include "native/host64/host_ui.h"

namespace prn::host64 {

class Win32HostUi : public HostUi {
 public:
  void ShowErrorBox(const ustring& text, const ustring& caption) override;
  void SendToWindow(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam) override;
};

}  // namespace prn::host64
