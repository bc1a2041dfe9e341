#include "ui/win32/form_searching_dialog.h"

#include <commctrl.h>

namespace prn::ui {

namespace {

constexpr int kWidth = 369;  // 96-dpi units, the client area
constexpr int kHeight = 229;
constexpr COLORREF kRed = RGB(255, 0, 0);

constexpr wchar_t kSearch[] = L"正在搜索联机信息 ...";
constexpr wchar_t kNotFound[] =
    L"没有找到联机信息，请重新打开打印机。\r\n如果你不需要使用USB接口进行打印，\r\n请直接单击“继续安装”按钮即可。";

}  // namespace

// The installer window hides while this one shows: the taskbar button is this one's.
void FormSearchingDialog::Show(HINSTANCE instance, HWND owner) {
  ShowModal(instance, owner, kWidth, kHeight, WS_EX_APPWINDOW);
}

void FormSearchingDialog::OnInitDialog() {
  SetWindowTextW(Handle(), L"FormSearching");
  AddControl(L"STATIC", kSearch, SS_CENTER | SS_NOPREFIX, searching_id::Search);
  HWND steps = AddControl(PROGRESS_CLASSW, L"", 0, searching_id::Steps);
  SendMessageW(steps, PBM_SETPOS, 0, 0);
  AddControl(L"STATIC", kNotFound, SS_LEFT | SS_NOPREFIX, searching_id::NotFound);
  AddControl(L"BUTTON", L"&ReSearch", WS_TABSTOP | BS_PUSHBUTTON, searching_id::ReSearch);
  AddControl(L"BUTTON", L"&Cancel", WS_TABSTOP | BS_DEFPUSHBUTTON, searching_id::CancelSearch);
}

bool FormSearchingDialog::OnCommand(int id, int, HWND) {
  // ReSearch does nothing; Cancel ends the window through the base.
  return id == searching_id::ReSearch;
}

bool FormSearchingDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message != WM_CTLCOLORSTATIC) return false;
  if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != searching_id::NotFound) return false;
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, kRed);
  SetBkMode(dc, TRANSPARENT);
  result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
  return true;
}

void FormSearchingDialog::Layout(const DpiScale& scale) {
  titleFont_ = CreateStyledFont(scale, {16, true, false}, kSearch);
  SendMessageW(Item(searching_id::Search), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), TRUE);
  PlaceControl(Item(searching_id::Search), {0, 6, kWidth, 22}, scale);
  PlaceControl(Item(searching_id::Steps), {8, 32, 347, 49}, scale);
  PlaceControl(Item(searching_id::NotFound), {8, 87, 347, 93}, scale);
  PlaceControl(Item(searching_id::ReSearch), {8, 186, 165, 36}, scale);
  PlaceControl(Item(searching_id::CancelSearch), {190, 186, 165, 36}, scale);
}

}  // namespace prn::ui
