#pragma once
// The search window (TFormSearching) that the classic window shows, hidden
// itself, before an install whose model asks for an online check. It only
// shows its fixed texts with the bar at 0; Cancel, Esc and the close box end
// it, ReSearch does nothing, and the install goes on either way.

#include "ui/win32/dialog_base.h"
#include "ui/win32/gdi_owners.h"

namespace prn::ui {

namespace searching_id {
constexpr int Search = 501;
constexpr int Steps = 502;
constexpr int NotFound = 503;
constexpr int ReSearch = 504;
constexpr int CancelSearch = IDCANCEL;
}  // namespace searching_id

class FormSearchingDialog : public DialogBase {
 public:
  // Runs modally, centred on `owner`.
  void Show(HINSTANCE instance, HWND owner);

 protected:
  void OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void Layout(const DpiScale& scale) override;

 private:
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }

  GdiFont titleFont_;
};

}  // namespace prn::ui
