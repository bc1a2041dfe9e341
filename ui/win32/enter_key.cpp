#include "ui/win32/enter_key.h"

namespace prn::ui {

namespace {

bool IsPushButton(HWND control) {
  return (SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// The button type changes; the other style bits of the low word stay.
void SetButtonType(HWND button, LONG type) {
  const LONG style = GetWindowLongW(button, GWL_STYLE);
  if ((style & BS_TYPEMASK) == type) return;
  SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>((style & 0xFFFF & ~BS_TYPEMASK) | type), TRUE);
}

}  // namespace

HWND EnterKey::Target() const {
  HWND focus = GetFocus();
  HWND target = focus && IsChild(window_, focus) && IsPushButton(focus) ? focus
                : defaultId_                                          ? GetDlgItem(window_, defaultId_)
                                                                      : nullptr;
  return target && IsWindowEnabled(target) && IsWindowVisible(target) ? target : nullptr;
}

void EnterKey::OnFocusChange(HWND button, int code) {
  if (!IsPushButton(button)) return;
  HWND fallback = defaultId_ ? GetDlgItem(window_, defaultId_) : nullptr;
  const bool gained = code == BN_SETFOCUS;
  if (fallback && fallback != button) SetButtonType(fallback, gained ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON);
  if (button != fallback) SetButtonType(button, gained ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void PressButton(HWND window, HWND button) {
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}  // namespace prn::ui
