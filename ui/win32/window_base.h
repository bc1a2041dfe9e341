#pragma once
// The one base of the program's windows. The object travels to its window
// through WM_NCCREATE and GWLP_USERDATA; messages reach OnMessage, and no
// exception leaves the window procedure. The window goes with the object.

#include <windows.h>

#include "ui/win32/dpi.h"

namespace prn::ui {

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase();

  HWND Handle() const { return window_; }
  DpiScale Scale() const { return DpiScale{DpiOfWindow(window_)}; }

 protected:
  struct Creation {
    HINSTANCE instance = nullptr;
    const wchar_t* className = nullptr;
    const wchar_t* title = L"";
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    RECT place{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};  // left, top, width, height
    HWND parent = nullptr;  // HWND_MESSAGE for a message-only window
  };

  WindowBase() = default;
  // Registers the class the first time and creates the window; raises
  // prn::Error when that fails.
  void CreateWindowFor(const Creation& creation);

  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // WM_CLOSE and WM_DESTROY of a window that may be the main window: closing
  // the main window ends the message loop, any other only hides. True when
  // `message` was one of them and is answered with 0.
  bool EndsOrHides(UINT message, bool mainWindow);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
};

}  // namespace prn::ui
