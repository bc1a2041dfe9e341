#include "ui/win32/form_host.h"

#include <commctrl.h>

#include <stdexcept>

#include "ui/win32/gdi_owners.h"
#include "ui/win32/window_base.h"
#include "ui/win32/window_error.h"

namespace prn::ui {

// The notice window (TFormTemp): the maker's advice before an install, its
// service line and web address. Start-up creates it; nothing shows it.
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

namespace {

constexpr int kNoticeWidth = 711;  // 96-dpi units, the whole window
constexpr int kNoticeHeight = 498;
// lblURL's font colour (a Windows colour value).
constexpr COLORREF kNoticeUrlColour = 0x751BAF;

enum NoticeId { NoticeTitle = 1, Notice, Tel, Url };

constexpr wchar_t kNoticeTitle[] = L"Before you install";
constexpr wchar_t kNotice[] =
    L"1. Please read the installation guide or the user manual before you install the printer.\r\n\r\n"
    L"2. Plug the printer into an earthed three-pin socket only.\r\n\r\n"
    L"3. Switch off both the computer and the printer before you connect or remove the interface cable.\r\n\r\n"
    L"4. If a problem persists, call our service line or write to our support address; our staff will "
    L"gladly help you.\r\n\r\n"
    L"5. Use only the maker's own ribbons, paper and other consumables: others can damage the print head "
    L"and are not covered by the warranty.";
constexpr wchar_t kTel[] = L"Service line: +1 555 0142 (Monday to Friday, 9:00 to 18:00); support@pellnor.example";
constexpr wchar_t kUrl[] = L"https://www.pellnor.example/support";

struct NoticeLabel {
  int id;
  const wchar_t* text;
  DWORD style;
  Box96 box;
};

constexpr NoticeLabel kLabels[] = {
    {NoticeTitle, kNoticeTitle, SS_CENTER, {16, 16, 663, 32}},
    {Notice, kNotice, SS_LEFT, {32, 64, 631, 300}},
    {Tel, kTel, SS_LEFT, {32, 380, 631, 20}},
    {Url, kUrl, SS_LEFT, {32, 408, 631, 20}},
};

}  // namespace

FormTempWindow::FormTempWindow(HINSTANCE instance) {
  Creation creation;
  creation.instance = instance;
  creation.className = L"TFormTemp";
  creation.title = L"FormTemp";
  creation.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  creation.place = RECT{CW_USEDEFAULT, CW_USEDEFAULT, kNoticeWidth, kNoticeHeight};
  CreateWindowFor(creation);
  for (const NoticeLabel& label : kLabels) {
    CreateWindowExW(0, L"STATIC", label.text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | label.style, 0, 0, 0, 0,
                    Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(label.id)), instance, nullptr);
  }
  ApplyDpi(DpiOfWindow(Handle()));
}

void FormTempWindow::ApplyDpi(int dpi) {
  const DpiScale scale{dpi};
  font_ = CreateDialogFont(dpi);
  titleFont_ = CreateStyledFont(scale, {20, true, false});
  SetWindowPos(Handle(), nullptr, 0, 0, scale(kNoticeWidth), scale(kNoticeHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const NoticeLabel& label : kLabels) {
    HWND control = GetDlgItem(Handle(), label.id);
    const HFONT font = label.id == NoticeTitle ? titleFont_.Get() : font_.Get();
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    PlaceControl(control, label.box, scale);
  }
}

LRESULT FormTempWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == Url) SetTextColor(dc, kNoticeUrlColour);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case kDpiChanged:
      ApplyDpi(HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      ShowWindow(Handle(), SW_HIDE);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

Win32FormHost::Win32FormHost(HINSTANCE instance) : instance_(instance) {}

Win32FormHost::~Win32FormHost() {
  // Windows before the services they use.
  skinned_.reset();
  notice_.reset();
  installing_.reset();
  installer_.reset();
  manager_.reset();
}

void Win32FormHost::Bind(const sys::Platform& platform, const config::ProcessValues& values) {
  platform_ = platform;
  values_ = &values;
}

void Win32FormHost::Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

void Win32FormHost::CreateForm(ui::FormKind kind) {
  if (!values_ || !platform_.spooler) throw std::logic_error("the windows are made only after Bind");
  const bool mainWindow = main_ == nullptr;
  SetWindowErrorCaption(values_->strInstaller.ErrorTitle);
  switch (kind) {
    case ui::FormKind::TFormManager:
      // Beside an installer window it is made when first asked for: its
      // spooler and USB watchers would only slow the installer's start.
      if (mainWindow) CreateManager(true);
      return;
    case ui::FormKind::TFormMain:
      installer_ = std::make_unique<FormMainWindow>(instance_, platform_, *values_, [this] { ShowManager(); });
      if (mainWindow) main_ = installer_->Handle();
      return;
    case ui::FormKind::TFormMainV2:
      skinned_ = std::make_unique<FormMainV2Window>(instance_, platform_, *values_, mainWindow,
                                                    [this] { ShowManager(); },
                                                    [this](HWND owner) { ShowProgress(owner); });
      if (mainWindow) main_ = skinned_->Handle();
      return;
    case ui::FormKind::TFormInstalling:
      CreateInstalling();
      return;
    case ui::FormKind::TFormAddNetPort:
      return;  // a modal dialog of the manager, made when it is opened
    case ui::FormKind::TFormAddPort:
      return;  // nothing shows it
    case ui::FormKind::TFormSearching:
      return;  // a modal dialog of the classic window, made when an install shows it
    case ui::FormKind::TFormTemp:
      noticeWanted_ = true;  // nothing shows it: made once the first window is idle
      return;
  }
}

void Win32FormHost::CreateManager(bool mainWindow, HWND owner) {
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
  manager_ = std::make_unique<FormManagerWindow>(instance_, parts, mainWindow, owner);
  if (mainWindow) main_ = manager_->Handle();
}

// The installer's manager button: the manager made when first asked for,
// shown modally over the installer window, which owns it.
void Win32FormHost::ShowManager() {
  HWND owner = installer_ ? installer_->Handle() : skinned_ ? skinned_->Handle() : nullptr;
  if (!manager_) CreateManager(false, owner);
  HWND manager = manager_->Handle();
  manager_->Show();
  RunModalLoop(owner, manager, [manager] { return !IsWindowVisible(manager); });
}

void Win32FormHost::CreateInstalling() {
  installing_ = std::make_unique<FormInstallingWindow>(instance_, *values_, platform_);
}

void Win32FormHost::ShowProgress(HWND owner) {
  if (!installing_) CreateInstalling();
  installing_->ShowModal(owner);
}

void Win32FormHost::ShowMainWindow() {
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
}

void Win32FormHost::RunMessageLoop(const std::function<void()>& shown) {
  if (!main_) return;
  ShowMainWindow();
  // `shown` waits for the first moment with nothing to do: the window is
  // painted and its start-up messages are handled, so a user can use it.
  bool idleYet = false;
  MSG message;
  for (;;) {
    if (!idleYet && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      idleYet = true;
      if (noticeWanted_ && !notice_) notice_ = std::make_unique<FormTempWindow>(instance_);
      shown();
    }
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    DispatchWithDialogKeys(message);
  }
}

}  // namespace prn::ui
