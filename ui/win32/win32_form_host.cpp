#include "ui/win32/win32_form_host.h"

#include <commctrl.h>

namespace prn::ui {

Win32FormHost::~Win32FormHost() {
  // Windows before the services they use.
  frames_.clear();
  skinned_.reset();
  installer_.reset();
  manager_.reset();
}

void Win32FormHost::Bind(const sys::Platform& platform, const app::ProcessValues& values) {
  platform_ = platform;
  values_ = &values;
}

void Win32FormHost::Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

void Win32FormHost::CreateForm(app::FormKind kind) {
  const bool mainWindow = main_ == nullptr;
  switch (kind) {
    case app::FormKind::TFormManager:
      if (!values_ || !platform_.spooler) break;  // without a machine the manager has nothing to show
      CreateManager(mainWindow);
      return;
    case app::FormKind::TFormMain:
      if (!values_ || !platform_.spooler) break;
      installer_ = std::make_unique<FormMainWindow>(instance_, platform_, *values_, [this] { ShowManager(); });
      if (mainWindow) main_ = installer_->Handle();
      return;
    case app::FormKind::TFormMainV2:
      if (!values_ || !platform_.spooler) break;
      // The progress window is given at merge; until then Yes shows nothing.
      skinned_ = std::make_unique<FormMainV2Window>(instance_, platform_, *values_, progressContext_, mainWindow,
                                                    [this] { ShowManager(); }, std::function<void(HWND)>());
      if (mainWindow) main_ = skinned_->Handle();
      return;
    case app::FormKind::TFormAddNetPort:
      return;  // a modal dialog of the manager, made when it is opened
    default:
      break;
  }
  frames_.push_back(std::make_unique<PlainFrame>(instance_, kind, mainWindow));
  if (mainWindow) main_ = frames_.back()->Handle();
}

void Win32FormHost::CreateManager(bool mainWindow) {
  printerChanges_ = std::make_unique<win32::Win32PrinterChanges>();
  printerCommands_ = std::make_unique<win32::Win32PrinterCommands>();
  ManagerParts parts;
  parts.machine.removal.platform = platform_;
  parts.machine.removal.wow64 = values_->g_bWow64;
  parts.machine.usb = platform_.usb;
  parts.machine.printerCommands = printerCommands_.get();
  parts.machine.changes = printerChanges_.get();
  parts.texts = &values_->strInstaller;
  parts.lang = &values_->langOptions;
  parts.systemPorts = &systemPorts_;
  parts.winVer = values_->g_iWinVer;
  manager_ = std::make_unique<ManagerWindow>(instance_, parts, mainWindow);
  if (mainWindow) main_ = manager_->Handle();
}

// The installer's manager button: the manager made when first asked for.
void Win32FormHost::ShowManager() {
  if (!manager_) CreateManager(false);
  manager_->Show();
}

void Win32FormHost::RunMessageLoop() {
  if (!main_) return;
  if (manager_ && manager_->Handle() == main_) {
    manager_->Show();
  } else if (installer_ && installer_->Handle() == main_) {
    installer_->Show();
  } else if (skinned_ && skinned_->Handle() == main_) {
    skinned_->Show();
  } else {
    ShowWindow(main_, SW_SHOWNORMAL);
  }
  UpdateWindow(main_);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(GetAncestor(message.hwnd, GA_ROOT), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace prn::ui
