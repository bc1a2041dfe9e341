#pragma once
// A top-level window that shows its designed caption and size and the name of
// its window class; it stands in for a window whose own view comes later.

#include <windows.h>

#include "app/window_plan.h"

namespace prn::ui {

class PlainFrame {
 public:
  // Creates the window hidden. The main window ends the message loop when it
  // is destroyed; any other frame only hides when closed.
  PlainFrame(HINSTANCE instance, app::FormKind kind, bool mainWindow);
  ~PlainFrame();
  PlainFrame(const PlainFrame&) = delete;
  PlainFrame& operator=(const PlainFrame&) = delete;

  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  app::FormKind kind_;
  bool mainWindow_;
  HWND window_ = nullptr;
};

}  // namespace prn::ui
