#include "ui/win32/dialog_base.h"

#include "ui/win32/window_error.h"

namespace prn::ui {

namespace {

// DLGTEMPLATE followed by empty menu, class and title; no items.
struct alignas(DWORD) EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

}  // namespace

INT_PTR DialogBase::ShowModal(HINSTANCE instance, HWND owner, int width, int height, DWORD exStyle) {
  width_ = width;
  height_ = height;
  EmptyTemplate dialogTemplate{};
  dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  dialogTemplate.header.dwExtendedStyle = exStyle;
  return DialogBoxIndirectParamW(instance, &dialogTemplate.header, owner, &DialogBase::Procedure,
                                 reinterpret_cast<LPARAM>(this));
}

HWND DialogBase::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle) {
  HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return control;
}

void DialogBase::ApplyDpi(int dpi) {
  scale_ = DpiScale{dpi};
  font_ = CreateDialogFont(dpi);
  RECT frame{0, 0, scale_(width_), scale_(height_)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_EXSTYLE)));
  SetWindowPos(dialog_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  }
}

INT_PTR CALLBACK DialogBase::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogBase*>(lParam);
    self->dialog_ = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->dialog_ = nullptr;
    return FALSE;
  }
  return Guarded<INT_PTR>(dialog, FALSE, [&] { return self->Dispatch(message, wParam, lParam); });
}

INT_PTR DialogBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ApplyDpi(DpiOfWindow(dialog_));
      OnInitDialog();
      Layout(scale_);
      // Centre again: the size was set after the system placed the dialog.
      if (HWND owner = GetWindow(dialog_, GW_OWNER)) {
        RECT ownerRect, own;
        GetWindowRect(owner, &ownerRect);
        GetWindowRect(dialog_, &own);
        const int x = ownerRect.left + ((ownerRect.right - ownerRect.left) - (own.right - own.left)) / 2;
        const int y = ownerRect.top + ((ownerRect.bottom - ownerRect.top) - (own.bottom - own.top)) / 2;
        SetWindowPos(dialog_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      }
      return TRUE;
    case kDpiChanged:
      ApplyDpi(HIWORD(wParam));
      Layout(scale_);
      return TRUE;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
      if (LOWORD(wParam) == IDCANCEL) {
        EndModal(IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: {
      INT_PTR result = FALSE;
      if (OnMessage(message, wParam, lParam, result)) {
        // The colour messages answer with the procedure's own return value.
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return result;
        SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, result);
        return TRUE;
      }
      return FALSE;
    }
  }
}

}  // namespace prn::ui
