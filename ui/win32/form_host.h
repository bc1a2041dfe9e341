#pragma once
// The Win32 toolkit under start-up: creates the windows, runs the message loop.

#include <windows.h>

#include <memory>

#include "config/process_values.h"
#include "sys/platform.h"
#include "sys/win32/dialogs.h"
#include "sys/win32/spooler.h"
#include "ui/form_host.h"
#include "ui/system_port_list.h"
#include "ui/win32/form_installing_window.h"
#include "ui/win32/form_main_v2_window.h"
#include "ui/win32/form_main_window.h"
#include "ui/win32/form_manager_window.h"

namespace prn::ui {

class FormTempWindow;

class Win32FormHost : public ui::FormHost {
 public:
  explicit Win32FormHost(HINSTANCE instance);
  ~Win32FormHost() override;

  // What the real windows read: the machine and the values start-up fills
  // before it creates them.
  void Bind(const sys::Platform& platform, const config::ProcessValues& values);

  void Initialize() override;
  void CreateForm(ui::FormKind kind) override;
  void RunMessageLoop(const std::function<void()>& shown) override;
  // The first part of the loop: the main window shown and painted.
  void ShowMainWindow();

  // The skinned window's install: the progress window (made once) shown
  // modally over `owner`; returns when the run has closed it.
  void ShowProgress(HWND owner);

 private:
  HINSTANCE instance_;
  sys::Platform platform_;
  const config::ProcessValues* values_ = nullptr;
  SystemPortList systemPorts_;  // the program's port list, shared by the manager and its dialog
  std::unique_ptr<win32::Win32PrinterChanges> printerChanges_;
  std::unique_ptr<win32::Win32PrinterCommands> printerCommands_;
  void CreateManager(bool mainWindow, HWND owner = nullptr);
  void ShowManager();
  void CreateInstalling();

  std::unique_ptr<FormManagerWindow> manager_;
  std::unique_ptr<FormMainWindow> installer_;
  std::unique_ptr<FormInstallingWindow> installing_;
  bool noticeWanted_ = false;
  std::unique_ptr<FormTempWindow> notice_;
  std::unique_ptr<FormMainV2Window> skinned_;
  HWND main_ = nullptr;
};

}  // namespace prn::ui
