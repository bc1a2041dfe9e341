#include "ui/win32/win32_form_host.h"

#include <commctrl.h>

namespace prn::ui {

void Win32FormHost::Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

void Win32FormHost::CreateForm(app::FormKind kind) {
  frames_.push_back(std::make_unique<PlainFrame>(instance_, kind, frames_.empty()));
}

void Win32FormHost::RunMessageLoop() {
  if (frames_.empty() || !frames_.front()->Handle()) return;
  HWND main = frames_.front()->Handle();
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace prn::ui
