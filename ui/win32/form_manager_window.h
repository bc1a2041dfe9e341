#pragma once
// The printer and port manager's view: the printer list with its popup
// menu, the port combo box, Set, Add Net Port and Close. It forwards each
// event to TFormManager and renders what the model says.

#include <memory>
#include <optional>

#include "ui/background_work.h"
#include "ui/form_add_net_port.h"
#include "ui/form_manager.h"
#include "ui/win32/component_usb.h"
#include "ui/win32/enter_key.h"
#include "ui/win32/form_add_net_port_dialog.h"
#include "ui/win32/gdi_owners.h"
#include "ui/win32/window_base.h"

namespace prn::ui {

namespace manager_id {
constexpr int Printers = 101;
constexpr int PortLabel = 102;
constexpr int Ports = 103;
constexpr int AddPort = 104;
constexpr int SetDefault = 105;
constexpr int OnlineUsb = 106;
constexpr int Set = 107;
constexpr int Close = 108;
constexpr int MenuFirst = 201;  // + ManagerMenuAction
}  // namespace manager_id

struct ManagerParts {
  ManagerMachine machine;
  const config::TStrInstaller* texts = nullptr;
  const config::TLangOptions* lang = nullptr;
  SystemPortList* systemPorts = nullptr;
  int32_t winVer = 0;
};

class FormManagerWindow : public WindowBase {
 public:
  // Created hidden. The main window ends the message loop when it closes;
  // otherwise closing only hides it. `owner`, the installer window that opens
  // it, keeps it in front and gives it no taskbar button of its own.
  FormManagerWindow(HINSTANCE instance, const ManagerParts& parts, bool mainWindow, HWND owner = nullptr);
  ~FormManagerWindow() override;

  // Every showing runs the model's FormShow.
  void Show();
  TFormManager& Model() { return *model_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void ApplyDpi(int dpi);
  void Layout();
  void Render();
  void RenderCaptions();
  void RenderRows();
  void RenderPorts();
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);
  void OpenPopupMenu(LPARAM where);
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }

  HINSTANCE instance_;
  bool mainWindow_;
  // A finished deletion comes back to the window thread; dropped once the window goes.
  std::unique_ptr<sys::UiTasks> tasks_;
  std::unique_ptr<ThreadedWork> work_;
  std::unique_ptr<TFormManager> model_;
  std::unique_ptr<TFormAddNetPort> addPortModel_;
  std::unique_ptr<TComponentUSB> usb_;
  GdiFont font_;
  ImageList images_;
  HWND tooltip_ = nullptr;
  std::optional<EnterKey> enter_;
  bool rendering_ = false;  // selection changes made by rendering are not the user's
  uint64_t renderedRows_ = ~0ull;
  uint64_t renderedPorts_ = ~0ull;
};

}  // namespace prn::ui
