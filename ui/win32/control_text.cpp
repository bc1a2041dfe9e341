#include "ui/win32/control_text.h"

#include "sys/win32/text.h"

namespace prn::ui {

ustring ControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  return win32::U(text.c_str(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void SetControlText(HWND control, const ustring& text) {
  if (ControlText(control) != text) SetWindowTextW(control, win32::W(text));
}

}  // namespace prn::ui
