// The yardstick of the first-paint benchmark: the least a Win32 program does
// to put a painted window on the screen. Built with PRN_THEMED_CONTROLS it
// also carries the installer's manifest and shows the classic window's kinds
// of controls, themed: what Wine charges for those before any work of ours.
#include <windows.h>

#ifdef PRN_THEMED_CONTROLS
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"BareWindow";
  if (!RegisterClassW(&windowClass)) return 1;
  HWND window = CreateWindowExW(WS_EX_APPWINDOW, L"BareWindow", L"Bare window",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                CW_USEDEFAULT, 600, 469, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
#ifdef PRN_THEMED_CONTROLS
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  struct Child {
    DWORD exStyle;
    const wchar_t* cls;
    DWORD style;
    RECT place;  // left, top, width, height
  };
  const Child children[] = {
      {0, L"BUTTON", BS_GROUPBOX, {8, 78, 584, 222}},
      {WS_EX_CLIENTEDGE, WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER, {18, 98, 564, 192}},
      {WS_EX_CLIENTEDGE, L"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL, {8, 308, 584, 92}},
      {0, L"BUTTON", BS_PUSHBUTTON, {8, 410, 190, 28}},
      {0, L"BUTTON", BS_DEFPUSHBUTTON, {400, 410, 92, 28}},
      {0, L"BUTTON", BS_PUSHBUTTON, {500, 410, 92, 28}},
      {0, STATUSCLASSNAMEW, 0, {0, 0, 0, 0}},
  };
  for (const Child& child : children) {
    CreateWindowExW(child.exStyle, child.cls, L"", WS_CHILD | WS_VISIBLE | child.style, child.place.left,
                    child.place.top, child.place.right, child.place.bottom, window, nullptr, instance, nullptr);
  }
#endif
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
