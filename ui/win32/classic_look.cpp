#include "ui/win32/classic_look.h"

namespace prn::ui {

void DrawWithoutVisualStyle(HWND control) {
  // Visual styles come through the theme library that common controls 6
  // load; where it is not loaded, nothing is themed.
  HMODULE uxtheme = GetModuleHandleW(L"uxtheme.dll");
  if (!uxtheme) return;
  using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  const auto setWindowTheme =
      reinterpret_cast<SetWindowThemeFunction>(reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")));
  if (setWindowTheme) setWindowTheme(control, L"", L"");
}

}  // namespace prn::ui
