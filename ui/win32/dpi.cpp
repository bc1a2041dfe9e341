#include "ui/win32/dpi.h"

namespace prn::ui {

namespace {

int ScreenDpi() {
  WindowDc screen(nullptr);
  return screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : kDesignDpi;
}

template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

int DpiOfWindow(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  const int dpi = (getDpiForWindow && window) ? static_cast<int>(getDpiForWindow(window)) : 0;
  return dpi > 0 ? dpi : ScreenDpi();
}

GdiFont CreateDialogFont(int dpi) {
  using ParametersForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = User32Function<ParametersForDpiFunction>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
    return GdiFont(CreateFontIndirectW(&metrics.lfMessageFont));
  }
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    // The system answers for its own DPI; the window's monitor may differ.
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
    return GdiFont(CreateFontIndirectW(&metrics.lfMessageFont));
  }
  return GdiFont();
}

namespace {

bool HasChinese(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c >= 0x2E80 && c < 0xA000) return true;
  }
  return false;
}

}  // namespace

GdiFont CreateStyledFont(const DpiScale& scale, const FontStyle& style, const std::wstring& text) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight = -scale(style.pixels);
  font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = style.underline ? TRUE : FALSE;
  if (HasChinese(text)) lstrcpynW(font.lfFaceName, L"Microsoft YaHei", LF_FACESIZE);
  return GdiFont(CreateFontIndirectW(&font));
}

void PlaceControl(HWND control, const Box96& box, const DpiScale& scale) {
  MoveWindow(control, scale(box.x), scale(box.y), scale(box.width), scale(box.height), TRUE);
}

int MoveToSuggestedRect(HWND window, WPARAM wParam, LPARAM lParam) {
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  return HIWORD(wParam);
}

}  // namespace prn::ui
