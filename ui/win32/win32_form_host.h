#pragma once
// The Win32 toolkit under the shell: creates the windows, runs the message loop.

#include <windows.h>

#include <memory>
#include <vector>

#include "app/form_host.h"
#include "app/process_values.h"
#include "sys/platform.h"
#include "sys/win32/win32_printer_changes.h"
#include "sys/win32/win32_printer_commands.h"
#include "ui/system_port_list.h"
#include "ui/win32/form_main_v2_window.h"
#include "ui/win32/form_main_window.h"
#include "ui/win32/manager_window.h"
#include "ui/win32/plain_frame.h"

namespace prn::ui {

class Win32FormHost : public app::FormHost {
 public:
  explicit Win32FormHost(HINSTANCE instance) : instance_(instance) {}
  ~Win32FormHost() override;

  // What the real windows read: the machine and the values start-up fills
  // before it creates them.
  void Bind(const sys::Platform& platform, const app::ProcessValues& values);

  void Initialize() override;
  void CreateForm(app::FormKind kind) override;
  void RunMessageLoop() override;

 private:
  HINSTANCE instance_;
  sys::Platform platform_;
  const app::ProcessValues* values_ = nullptr;
  SystemPortList systemPorts_;  // the program's port list, shared by the manager and its dialog
  std::unique_ptr<win32::Win32PrinterChanges> printerChanges_;
  std::unique_ptr<win32::Win32PrinterCommands> printerCommands_;
  void CreateManager(bool mainWindow);
  void ShowManager();

  std::unique_ptr<ManagerWindow> manager_;
  std::unique_ptr<FormMainWindow> installer_;
  // The progress-window flow always works with settings entry 0.
  install::InstallContext progressContext_{0};
  std::unique_ptr<FormMainV2Window> skinned_;
  std::vector<std::unique_ptr<PlainFrame>> frames_;
  HWND main_ = nullptr;
};

}  // namespace prn::ui
