#pragma once
// The progress window of the skinned installer (TFormInstalling): no border,
// a bar across the top and the centred label under it. Each modal display
// runs one install of its model; the run's end closes the window.

#include <memory>

#include "config/process_values.h"
#include "ui/installer/form_installing.h"
#include "ui/win32/gdi_owners.h"
#include "ui/win32/window_base.h"

namespace prn::ui {

class FormInstallingWindow : public WindowBase, private FormInstallingView {
 public:
  // Created hidden; `values` and the platform outlive it.
  FormInstallingWindow(HINSTANCE instance, const config::ProcessValues& values, const sys::Platform& platform);
  ~FormInstallingWindow() override;

  // Centred on `owner`, which takes no input until the run closes this window.
  // A call while the window is already showing does nothing.
  void ShowModal(HWND owner);
  bool Showing() const { return showing_; }
  TFormInstalling& Model() { return *model_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  sys::WindowHandle Handle() const override { return reinterpret_cast<sys::WindowHandle>(WindowBase::Handle()); }
  void SetBarPosition(int position) override;
  void SetLabel(const ustring& text) override;
  void EnableTimer(InstallingTimer timer, bool enabled) override;
  void Close() override { closed_ = true; }
  void ApplyDpi(int dpi);

  std::unique_ptr<TFormInstalling> model_;
  GdiFont font_;
  HWND bar_ = nullptr;
  HWND label_ = nullptr;
  bool showing_ = false;
  bool closed_ = false;
};

}  // namespace prn::ui
