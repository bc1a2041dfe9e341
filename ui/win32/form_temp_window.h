#pragma once
// The notice window (TFormTemp): the maker's advice before an install, its
// service line and web address. Start-up creates it; nothing shows it.

#include "ui/win32/gdi_owners.h"
#include "ui/win32/window_base.h"

namespace prn::ui {

// lblURL's font colour (a Windows colour value).
constexpr COLORREF kNoticeUrlColour = 0x751BAF;

class FormTempWindow : public WindowBase {
 public:
  // Created hidden; closing it only hides it.
  explicit FormTempWindow(HINSTANCE instance);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplyDpi(int dpi);

  GdiFont font_;
  GdiFont titleFont_;
};

}  // namespace prn::ui
