#include "ui/installer/form_main_v2.h"

#include "sys/dialogs.h"
#include "sys/files.h"
#include "text/error.h"
#include "text/format.h"
#include "install/older_driver_removal.h"
#include "trace/trace.h"
#include "ui/installer/picture_names.h"

namespace prn::ui {

namespace {

constexpr int kDragStripHeight = 94;

// The tag of an image button: its number in "Button%.2d".
std::optional<int> ButtonTag(SkinPicture control) {
  switch (control) {
    case SkinPicture::Image0: return 0;
    case SkinPicture::Image1: return 1;
    case SkinPicture::Image10: return 10;
    case SkinPicture::Image2: return 2;
    case SkinPicture::Image3: return 3;
    case SkinPicture::Image4: return 4;
    case SkinPicture::Image5: return 5;
    default: return std::nullopt;
  }
}

constexpr SkinPicture kLinkButtons[] = {SkinPicture::Image2, SkinPicture::Image3, SkinPicture::Image4,
                                        SkinPicture::Image5};

}  // namespace

bool DragHitTest(int y) { return y <= kDragStripHeight; }

TFormMainV2::TFormMainV2(const config::ProcessValues& values, const sys::Platform& platform, FormMainV2View& view)
    : values_(values),
      platform_(platform),
      files_(*platform.files),
      dialogs_(*platform.dialogs),
      tasks_(*platform.uiThread),
      checkDialogs_(tasks_, *platform.dialogs),
      view_(view),
      links_(*platform.files, *platform.shell, *platform.dialogs, values.strInstaller),
      entry_(values.installInfos.GetInfoItem(0)) {}

TFormMainV2::~TFormMainV2() {
  // A check still asking lets go of its boxes (they answer Cancel) and ends.
  tasks_.Close();
  if (check_.joinable()) check_.join();
}

void TFormMainV2::FormCreate(sys::WindowHandle owner) {
  values_.resourceCopy.Wait();
  if (!Load(SkinPicture::Background, entry_.BGImage, owner)) return;
  if (!Load(SkinPicture::Printer, entry_.PrinterImage, owner)) return;
  if (!Load(SkinPicture::Minimise, values_.g_strResourceDir + MinimisePictureName(false), owner)) return;
  if (!Load(SkinPicture::Close, values_.g_strResourceDir + ClosePictureName(false), owner)) return;
  // Image10 has no designed picture of its own here: it shows its normal one.
  for (SkinPicture button : {SkinPicture::Image0, SkinPicture::Image1, SkinPicture::Image10}) {
    if (!LoadButton(button, false, owner)) return;
  }
  for (int n = 2; n <= 5; ++n) {
    SkinPicture button = kLinkButtons[n - 2];
    if (LinkOf(n).empty()) view_.HidePicture(button);
    else if (!LoadButton(button, false, owner)) return;
  }
}

bool TFormMainV2::ShowsManagerButton() const { return entry_.PrinterManager; }

void TFormMainV2::Hover(SkinPicture button, bool hot, sys::WindowHandle owner) {
  switch (button) {
    case SkinPicture::Minimise:
      Load(button, values_.g_strResourceDir + MinimisePictureName(hot), owner);
      return;
    case SkinPicture::Close:
      Load(button, values_.g_strResourceDir + ClosePictureName(hot), owner);
      return;
    case SkinPicture::Image1:
      if (LoadButton(button, hot, owner)) LoadButton(SkinPicture::Image10, hot, owner);
      return;
    default:
      if (ButtonTag(button) && button != SkinPicture::Image10) LoadButton(button, hot, owner);
  }
}

void TFormMainV2::BeginInstall(sys::WindowHandle owner, std::function<void(BeginInstallResult)> decided) {
  if (checking_) return;
  if (check_.joinable()) check_.join();  // the last check has posted its end
  checking_ = true;
  sys::Platform checkPlatform = platform_;
  checkPlatform.dialogs = &checkDialogs_;
  check_ = std::thread([this, checkPlatform, owner, decided = std::move(decided)]() mutable {
    install::BeforeInstallOutcome outcome;
    try {
      outcome = install::UninstallBeforeInstall(removal::RemovalContext{checkPlatform, values_.g_bWow64}, entry_,
                                                values_.strInstaller, owner, install::AfterRestartDeclined::Install);
    } catch (const Error& error) {
      checkDialogs_.ShowMessage(owner, error.Text(), values_.strInstaller.ErrorTitle, sys::mb::Ok | sys::mb::IconError);
      outcome.mayContinue = false;
    }
    tasks_.Post([this, outcome, owner, decided = std::move(decided)] {
      checking_ = false;
      if (outcome.endApplication) return decided(BeginInstallResult::EndApplication);
      if (!outcome.mayContinue) return decided(BeginInstallResult::Declined);
      decided(AskBeforeInstall(owner));
    });
  });
}

BeginInstallResult TFormMainV2::AskBeforeInstall(sys::WindowHandle owner) {
  const config::TStrInstaller& texts = values_.strInstaller;
  trace::Message(u"准备安装打印机驅動程序");
  trace::Format(u"系统版本号：%d，64位标志：%s", {values_.g_iWinVer, values_.g_bWow64 ? u"True" : u"False"});
  const int answer = dialogs_.ShowMessage(owner, texts.BeforeInstallPrompt, texts.NoticeTitle,
                                          sys::mb::YesNo | sys::mb::IconQuestion);
  return answer == sys::mb::IdYes ? BeginInstallResult::ShowProgressWindow : BeginInstallResult::Declined;
}

void TFormMainV2::LinkClick(int button, sys::WindowHandle owner) {
  const ustring& target = LinkOf(button);
  if (!target.empty()) links_.OpenLink(target, entry_.PDFReader, owner);
}

std::vector<SkinPicture> TFormMainV2::TabOrder() const {
  std::vector<SkinPicture> order{SkinPicture::Image1};
  if (ShowsManagerButton()) order.push_back(SkinPicture::Image0);
  for (int n = 2; n <= 5; ++n) {
    if (!LinkOf(n).empty()) order.push_back(kLinkButtons[n - 2]);
  }
  order.push_back(SkinPicture::Minimise);
  order.push_back(SkinPicture::Close);
  return order;
}

bool TFormMainV2::LoadButton(SkinPicture control, bool hot, sys::WindowHandle owner) {
  // The suffix follows the system language at each call, not the command line's.
  ustring suffix = config::SettingsLanguageSuffix(values_.g_wSystemLangId);
  return Load(control, values_.g_strResourceDir + ButtonPictureName(*ButtonTag(control), hot, suffix), owner);
}

bool TFormMainV2::Load(SkinPicture control, const ustring& file, sys::WindowHandle owner) {
  ustring text;
  if (file.empty()) {
    // Only the two pictures of the settings can be unnamed.
    const char16_t* key = control == SkinPicture::Background ? u"BGImage" : u"PrinterImage";
    text = Format(u"The settings file names no picture in \"%s.%s\".",
                  {key, config::SettingsLanguageSuffix(values_.g_wSystemLangId)});
  } else {
    ustring path = files_.FullPath(file);
    std::optional<PictureFault> fault;
    if (!files_.FileExists(path)) fault = PictureFault::Missing;
    else if (!HasPictureExtension(path)) fault = PictureFault::NotPicture;
    else if (!view_.ShowPicture(control, path)) fault = PictureFault::Damaged;
    if (!fault) return true;
    text = PictureErrorText(path, *fault);
  }
  dialogs_.ShowMessage(owner, text, values_.strInstaller.ErrorTitle, sys::mb::Ok | sys::mb::IconError);
  return false;
}

const ustring& TFormMainV2::LinkOf(int button) const {
  static const ustring kNone;
  switch (button) {
    case 2: return entry_.Button2Link;
    case 3: return entry_.Button3Link;
    case 4: return entry_.Button4Link;
    case 5: return entry_.Button5Link;
    default: return kNone;
  }
}

}  // namespace prn::ui
