#pragma once
// The welcome window (TfrmWelcome) of the maker's own brand: light blue,
// slightly see-through and on top, the brand's welcome title, five pictures
// appearing one after the other and a growing "Loading" text. It closes by
// itself; a double-click on the first picture hurries it to its end.

#include "config/lang_options.h"
#include "ui/installer/frm_welcome.h"
#include "ui/win32/gdi_owners.h"
#include "ui/win32/window_base.h"

namespace prn::ui {

namespace welcome_id {
constexpr int Title = 401;
constexpr int Loading = 402;
constexpr int FirstPicture = 403;  // img1; img2 … img5 follow
}  // namespace welcome_id

class FrmWelcomeWindow : public WindowBase {
 public:
  // FormCreate; the title is drawn in `titleColour` (a Windows colour value).
  FrmWelcomeWindow(HINSTANCE instance, const config::TLangOptions& lang, const config::TStrInstaller& texts,
                   COLORREF titleColour);

  // Centred on the screen over `owner`, which takes no input meanwhile;
  // returns when the window has closed itself.
  void ShowModal(HWND owner);
  const TfrmWelcome& Model() const { return model_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplyDpi(int dpi);
  void OnTimer();
  void Render();
  void Paint(HDC dc);
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }

  TfrmWelcome model_;
  COLORREF titleColour_;
  GdiFont titleFont_;
  GdiFont loadingFont_;
  GdiBrush background_;
  GdiBrush strip_;
  bool ended_ = false;
};

}  // namespace prn::ui
