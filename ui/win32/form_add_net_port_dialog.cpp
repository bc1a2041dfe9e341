#include "ui/win32/form_add_net_port_dialog.h"

#include "ui/win32/window_base.h"

namespace prn::ui {

namespace {
constexpr int kWidth = 330;
constexpr int kHeight = 150;
}  // namespace

void FormAddNetPortDialog::Show(HINSTANCE instance, HWND owner) {
  model_.FormShow();
  ShowModal(instance, owner, kWidth, kHeight);
}

void FormAddNetPortDialog::OnInitDialog() {
  model_.AttachWindow(reinterpret_cast<sys::WindowHandle>(Handle()));
  AddControl(L"STATIC", L"", SS_LEFT, add_port_id::PortNameLabel);
  AddControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, add_port_id::PortName, WS_EX_CLIENTEDGE);
  AddControl(L"STATIC", L"", SS_LEFT, add_port_id::HostLabel);
  AddControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, add_port_id::Host, WS_EX_CLIENTEDGE);
  AddControl(L"BUTTON", L"", WS_TABSTOP | BS_DEFPUSHBUTTON, add_port_id::Add);
  AddControl(L"BUTTON", L"", WS_TABSTOP | BS_PUSHBUTTON, add_port_id::Close);
  // Enter in either field presses Add.
  SendMessageW(Handle(), DM_SETDEFID, add_port_id::Add, 0);
  SetControlText(Item(add_port_id::PortName), model_.PortNameText());
  SetControlText(Item(add_port_id::Host), model_.HostText());
  Render();
}

void FormAddNetPortDialog::Layout(const DpiScale& scale) {
  PlaceControl(Item(add_port_id::PortNameLabel), {16, 20, 120, 20}, scale);
  PlaceControl(Item(add_port_id::PortName), {140, 16, 174, 24}, scale);
  PlaceControl(Item(add_port_id::HostLabel), {16, 60, 120, 20}, scale);
  PlaceControl(Item(add_port_id::Host), {140, 56, 174, 24}, scale);
  PlaceControl(Item(add_port_id::Add), {130, 106, 88, 28}, scale);
  PlaceControl(Item(add_port_id::Close), {226, 106, 88, 28}, scale);
}

bool FormAddNetPortDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case add_port_id::PortName:
      if (code != EN_CHANGE) return false;
      model_.medtPortNameChange(ControlText(Item(add_port_id::PortName)));
      break;
    case add_port_id::Add:
      if (code != BN_CLICKED) return false;
      model_.btnAddClick(ControlText(Item(add_port_id::PortName)), ControlText(Item(add_port_id::Host)));
      break;
    case add_port_id::Close:
      EndModal(IDCANCEL);
      return true;
    default:
      return false;
  }
  Render();
  return true;
}

void FormAddNetPortDialog::Render() {
  const config::FormDescription& form = model_.Form();
  SetControlText(Handle(), form.caption);
  const std::pair<const char16_t*, int> captions[] = {{u"lblPortName", add_port_id::PortNameLabel},
                                                      {u"lblIP", add_port_id::HostLabel},
                                                      {u"btnAdd", add_port_id::Add},
                                                      {u"btnClose", add_port_id::Close}};
  for (const auto& [name, id] : captions) {
    if (const auto* control = form.Find(name)) SetControlText(Item(id), control->caption);
  }
  EnableWindow(Item(add_port_id::Add), model_.AddEnabled());
}

}  // namespace prn::ui
