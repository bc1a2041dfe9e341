#pragma once
// The add-network-port dialog's view: two labelled edit fields, Add and Close.

#include "ui/form_add_net_port.h"
#include "ui/win32/dialog_base.h"

namespace prn::ui {

namespace add_port_id {
constexpr int PortNameLabel = 301;
constexpr int PortName = 302;
constexpr int HostLabel = 303;
constexpr int Host = 304;
constexpr int Add = 305;
constexpr int Close = IDCANCEL;
}  // namespace add_port_id

class FormAddNetPortDialog : public DialogBase {
 public:
  explicit FormAddNetPortDialog(TFormAddNetPort& model) : model_(model) {}
  // Runs modally over `owner`.
  void Show(HINSTANCE instance, HWND owner);

 protected:
  void OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void Layout(const DpiScale& scale) override;

 private:
  void Render();
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }

  TFormAddNetPort& model_;
};

}  // namespace prn::ui
