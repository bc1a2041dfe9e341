#pragma once
// The one base of the program's windows, and what every window shares: the
// modal loop of a window without a dialog template, centring, and control
// texts. The object travels to its window through WM_NCCREATE and
// GWLP_USERDATA; messages reach OnMessage, and no exception leaves the window
// procedure. The window goes with the object.

#include <windows.h>

#include <functional>

#include "text/ustring.h"
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

// A window shown modally over its owner without a dialog template: the owner
// is closed to input, the window's own message loop runs until `ended`
// answers true, then the owner takes input and the activation back.
// `window` is shown by the caller (or by `ended`'s first messages) and is
// hidden here once the loop ends. A WM_QUIT met on the way ends the loop and
// is posted again for the outer loop.
void RunModalLoop(HWND owner, HWND window, const std::function<bool()>& ended);

// One message of a loop: Tab, Enter and Esc go to the dialog manager of the
// top-level window they were typed in, everything else is dispatched.
void DispatchWithDialogKeys(MSG& message);

// Places `window` centred on `over`, or on the work area of its monitor when
// `over` is null, and keeps it inside that monitor's work area.
void CentreWindow(HWND window, HWND over);

// Reading and writing a control's text as the logic's UTF-16 text.
ustring ControlText(HWND control);
void SetControlText(HWND control, const ustring& text);

}  // namespace prn::ui
