#pragma once
// The one base of the program's modal dialogs: an in-memory template, the
// object through WM_INITDIALOG and DWLP_USER, controls made by the derived
// dialog in 96-dpi units with the system's dialog font, no exception out of
// the dialog procedure.

#include <windows.h>

#include "ui/win32/dpi.h"

namespace prn::ui {

class DialogBase {
 public:
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;
  virtual ~DialogBase() = default;

  // Runs the dialog until it ends; its client area is width × height
  // 96-dpi units. Answers the value handed to EndModal (-1 when the dialog
  // could not be made). `exStyle` adds extended window styles.
  INT_PTR ShowModal(HINSTANCE instance, HWND owner, int width, int height, DWORD exStyle = 0);
  HWND Handle() const { return dialog_; }

 protected:
  DialogBase() = default;

  // Create the controls; the window is sized and the font is ready.
  virtual void OnInitDialog() = 0;
  // A WM_COMMAND from control `id`; true when handled.
  virtual bool OnCommand(int id, int code, HWND control) = 0;
  // Any other message; true when handled.
  virtual bool OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }
  // Places the controls for the current DPI.
  virtual void Layout(const DpiScale& scale) = 0;

  void EndModal(INT_PTR result) { EndDialog(dialog_, result); }
  HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle = 0);
  DpiScale Scale() const { return scale_; }

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void ApplyDpi(int dpi);

  HWND dialog_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  DpiScale scale_;
  GdiFont font_;
};

}  // namespace prn::ui
