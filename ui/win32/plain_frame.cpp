#include "ui/win32/plain_frame.h"

#include "sys/win32/win32_text.h"
#include "text/error.h"
#include "text/format.h"
#include "ui/win32/form_designs.h"

namespace prn::ui {

namespace {

constexpr wchar_t kClassName[] = L"PrnSetupPlainFrame";

void RegisterFrameClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kClassName, &existing)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
}

// Centred on the screen's work area.
RECT FramePlacement(const FormDesign& design, DWORD style, DWORD exStyle) {
  RECT frame{0, 0, design.width, design.height};
  if (design.clientSize) AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = work.left + ((work.right - work.left) - width) / 2;
  const int top = work.top + ((work.bottom - work.top) - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace

PlainFrame::PlainFrame(HINSTANCE instance, app::FormKind kind, bool mainWindow) : kind_(kind), mainWindow_(mainWindow) {
  RegisterFrameClass(instance, &PlainFrame::WindowProc);
  const FormDesign design = DesignOf(kind);
  const DWORD style = WS_OVERLAPPEDWINDOW;
  // The main window owns the task-bar button.
  const DWORD exStyle = mainWindow ? WS_EX_APPWINDOW : 0;
  const RECT place = FramePlacement(design, style, exStyle);
  window_ = CreateWindowExW(exStyle, kClassName, design.caption, style, place.left, place.top,
                            place.right - place.left, place.bottom - place.top, nullptr, nullptr, instance, this);
  if (!window_) {
    const DWORD code = GetLastError();
    throw Error(Format(u"%s: CreateWindowExW failed (%u).", {app::FormClassName(kind), code}));
  }
}

PlainFrame::~PlainFrame() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

LRESULT CALLBACK PlainFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* frame = reinterpret_cast<PlainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!frame) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCCREATE) frame->window_ = window;
  return frame->OnMessage(message, wParam, lParam);
}

LRESULT PlainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CLOSE:
      if (!mainWindow_) {
        ShowWindow(window_, SW_HIDE);
        return 0;
      }
      break;
    case WM_DESTROY:
      if (mainWindow_) PostQuitMessage(0);
      window_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void PlainFrame::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client;
  GetClientRect(window_, &client);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const std::wstring name = win32::Wide(app::FormClassName(kind_));
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  EndPaint(window_, &paint);
}

}  // namespace prn::ui
