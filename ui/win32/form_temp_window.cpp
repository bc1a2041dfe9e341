#include "ui/win32/form_temp_window.h"

namespace prn::ui {

namespace {

constexpr int kWidth = 711;           // 96-dpi units, the whole window
constexpr int kHeight = 498;

enum NoticeId { NoticeTitle = 1, Notice, Tel, Url };

constexpr wchar_t kNoticeTitle[] = L"Before you install";
constexpr wchar_t kNotice[] =
    L"1. Please read the installation guide or the user manual before you install the printer.\r\n\r\n"
    L"2. Plug the printer into an earthed three-pin socket only.\r\n\r\n"
    L"3. Switch off both the computer and the printer before you connect or remove the interface cable.\r\n\r\n"
    L"4. If a problem persists, call our service line or write to our support address; our staff will "
    L"gladly help you.\r\n\r\n"
    L"5. Use only the maker's own ribbons, paper and other consumables: others can damage the print head "
    L"and are not covered by the warranty.";
constexpr wchar_t kTel[] = L"Service line: +1 555 0142 (Monday to Friday, 9:00 to 18:00); support@pellnor.example";
constexpr wchar_t kUrl[] = L"https://www.pellnor.example/support";

struct NoticeLabel {
  int id;
  const wchar_t* text;
  DWORD style;
  Box96 box;
};

constexpr NoticeLabel kLabels[] = {
    {NoticeTitle, kNoticeTitle, SS_CENTER, {16, 16, 663, 32}},
    {Notice, kNotice, SS_LEFT, {32, 64, 631, 300}},
    {Tel, kTel, SS_LEFT, {32, 380, 631, 20}},
    {Url, kUrl, SS_LEFT, {32, 408, 631, 20}},
};

}  // namespace

FormTempWindow::FormTempWindow(HINSTANCE instance) {
  Creation creation;
  creation.instance = instance;
  creation.className = L"TFormTemp";
  creation.title = L"FormTemp";
  creation.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  creation.place = RECT{CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight};
  CreateWindowFor(creation);
  for (const NoticeLabel& label : kLabels) {
    CreateWindowExW(0, L"STATIC", label.text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | label.style, 0, 0, 0, 0,
                    Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(label.id)), instance, nullptr);
  }
  ApplyDpi(DpiOfWindow(Handle()));
}

void FormTempWindow::ApplyDpi(int dpi) {
  const DpiScale scale{dpi};
  font_ = CreateDialogFont(dpi);
  titleFont_ = CreateStyledFont(scale, {20, true, false});
  SetWindowPos(Handle(), nullptr, 0, 0, scale(kWidth), scale(kHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const NoticeLabel& label : kLabels) {
    HWND control = GetDlgItem(Handle(), label.id);
    const HFONT font = label.id == NoticeTitle ? titleFont_.Get() : font_.Get();
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    PlaceControl(control, label.box, scale);
  }
}

LRESULT FormTempWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == Url) SetTextColor(dc, kNoticeUrlColour);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case kDpiChanged:
      ApplyDpi(HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      ShowWindow(Handle(), SW_HIDE);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace prn::ui
