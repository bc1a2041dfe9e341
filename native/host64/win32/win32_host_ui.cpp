#include "native/host64/win32/win32_host_ui.h"

#include "sys/win32/text.h"

namespace prn::host64 {

void Win32HostUi::ShowErrorBox(const ustring& text, const ustring& caption) {
  MessageBoxW(nullptr, win32::W(text), win32::W(caption), MB_ICONERROR);
}

void Win32HostUi::SendToWindow(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam) {
  SendMessageW(reinterpret_cast<HWND>(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

}  // namespace prn::host64
