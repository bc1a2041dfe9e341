#include "sys/win32/dialogs.h"

#include "sys/win32/text.h"

namespace prn::win32 {

int Win32Dialogs::ShowMessage(sys::WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) {
  return MessageBoxW(reinterpret_cast<HWND>(owner), W(text), W(caption), flags);
}

}  // namespace prn::win32
