#pragma once
// Layout is written in 96-dpi units and scaled by the DPI of the window's
// monitor (the manifest declares per-monitor awareness).

#include <windows.h>

#include <string>

#include "ui/win32/gdi_owners.h"

namespace prn::ui {

constexpr int kDesignDpi = 96;

// GetDpiForWindow where the system has it, else the screen's DPI.
int DpiOfWindow(HWND window);

struct DpiScale {
  int dpi = kDesignDpi;
  int operator()(int units) const { return MulDiv(units, dpi, kDesignDpi); }
};

// The system's message font (the dialog font of the shell), sized for `dpi`.
GdiFont CreateDialogFont(int dpi);

// A variant of the message font, `pixels` high in 96-dpi units. A text with
// Chinese characters asks for a face that holds them: some systems draw a
// bold face's Chinese reached through font linking as boxes.
struct FontStyle {
  int pixels = 12;
  bool bold = false;
  bool underline = false;
};
GdiFont CreateStyledFont(const DpiScale& scale, const FontStyle& style, const std::wstring& text = {});

// A 96-dpi rectangle: left, top, width, height.
struct Box96 {
  int x, y, width, height;
};
void PlaceControl(HWND control, const Box96& box, const DpiScale& scale);

// WM_DPICHANGED: the window takes the rectangle the system suggests (lParam)
// and answers the new DPI (HIWORD of wParam).
constexpr UINT kDpiChanged = 0x02E0;
int MoveToSuggestedRect(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace prn::ui
