#include "ui/installer/form_main.h"

#include "config/profile_file.h"
#include "sys/files.h"
#include "sys/shell.h"
#include "sys/system_info.h"
#include "text/ascii.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::ui {

namespace {

using config::ControlClass;

constexpr int kDotCycle = 7;  // "Installing" and 0 to 6 full stops

config::ControlDescription Control(const char16_t* name, ControlClass kind, const char16_t* caption = u"") {
  config::ControlDescription control;
  control.name = name;
  control.kind = kind;
  if (kind == ControlClass::Edit) control.text = caption;
  else control.caption = caption;
  return control;
}

}  // namespace

uint32_t ParseBrandColour(ustring_view oemColor) {
  auto value = config::ParseProfileInteger(u"$" + ustring(oemColor));
  if (!value) return kDefaultBrandColour;
  uint32_t colour = static_cast<uint32_t>(*value);
  return colour <= 0xFFFFFF ? colour : kDefaultBrandColour;
}

LogoSource ResolveLogo(ustring_view logo, ustring_view programFolder, ustring_view bitmapResource,
                       const sys::FileSystem& files) {
  if (!logo.empty()) {
    ustring path = ustring(programFolder) + ustring(logo);
    if (files.FileExists(path)) return {LogoSource::Kind::File, path};
  }
  return {LogoSource::Kind::BitmapResource, ustring(bitmapResource)};
}

bool IsWelcomeBrand(ustring_view manufactor) { return ContainsNoCase(manufactor, u"Pellnor"); }

InstallingHints::Tick InstallingHints::OnTimer(install::TInstallProgress progress, ustring_view installing,
                                               ustring_view installEnd) {
  // Before the install itself starts (the older driver, the question) there is nothing to say yet.
  if (progress == install::TInstallProgress::IPNotStart) return {ustring(), true};
  if (progress != install::TInstallProgress::IPInstalling) return {ustring(installEnd), false};
  ustring text = ustring(installing) + u" " + ustring(dots_, u'.');
  dots_ = (dots_ + 1) % kDotCycle;
  return {std::move(text), true};
}

config::FormDescription FormMainDesign() {
  config::FormDescription form;
  form.caption = u"FormMain";
  form.components = {
      Control(u"PnlTitle", ControlClass::Other),
      Control(u"imgLogo", ControlClass::Other),
      Control(u"lblMainTitle", ControlClass::Label),
      Control(u"lblReadGuide", ControlClass::Label, u"Install Guide"),
      Control(u"lblReadQuickGuide", ControlClass::Label, u"Quick Guide"),
      Control(u"lblReadManual", ControlClass::Label, u"User Manual"),
      Control(u"PnlPrinters", ControlClass::Other),
      Control(u"grpPrinters", ControlClass::GroupBox, u"Select Printer"),
      Control(u"lvPrinters", ControlClass::Other),
      Control(u"btnPrinterManager", ControlClass::BitmapButton, u"Printer Port &Manager"),
      Control(u"edtInfos", ControlClass::Edit, u"Infos:"),
      Control(u"btnStart", ControlClass::BitmapButton, u"Install"),
      Control(u"btnExit", ControlClass::BitmapButton, u"E&xit"),
      Control(u"statBarInfo", ControlClass::Other),
      Control(u"ilPrinter", ControlClass::NonVisual),
      Control(u"TmrAutoInstall", ControlClass::NonVisual),
      Control(u"tmrSetup64Error", ControlClass::NonVisual),
      Control(u"tmrInstallingHints", ControlClass::NonVisual),
  };
  form.Find(u"lblReadQuickGuide")->visible = false;
  return form;
}

TitleLayout LayOutTitle(int logoRight, int guideWidth, int quickGuideWidth) {
  constexpr int kTitleGap = 20;
  constexpr int kLabelGap = 5;
  TitleLayout layout;
  layout.mainTitleLeft = logoRight + kTitleGap;
  layout.guideLeft = layout.mainTitleLeft;
  layout.quickGuideLeft = layout.guideLeft + guideWidth + kLabelGap;
  layout.manualLeft = layout.quickGuideLeft + quickGuideWidth + kLabelGap;
  return layout;
}

TFormMain::TFormMain(FormMainView& view, const config::ProcessValues& values, const sys::Platform& platform)
    : view_(view),
      values_(values),
      files_(*platform.files),
      shell_(*platform.shell),
      programFolder_(platform.system->ExecutableFolder() + u"\\"),
      runner_(install::InstallHost::ClassicWindow, *this, values, platform) {}

void TFormMain::FormCreate(config::FormDescription& form) {
  trace::Scope scope(u"FormCreate");
  m_iSelect = 0;

  const config::TStrInstaller& texts = values_.strInstaller;
  brand_.logo = ResolveLogo(values_.installInfos.GetInfoItem(0).Logo, programFolder_, texts.OEMBMLogo, files_);
  brand_.colour = ParseBrandColour(texts.OEMColor);
  brand_.mainTitle = texts.OEMMainTitle;
  brand_.logoUrl = texts.OEMLogoUrl;

  values_.langOptions.LoadControlsCaption(form, u"Controls.Installer");
  if (auto* group = form.Find(u"grpPrinters")) groupHint_ = group->hint;
  if (auto* infos = form.Find(u"edtInfos")) infosHint_ = infos->hint;
}

bool TFormMain::ShowsManagerButton() const { return values_.installInfos.GetInfoItem(0).PrinterManager; }

bool TFormMain::FadesIn() const { return IsWelcomeBrand(values_.strInstaller.OEMManufactor); }

std::optional<ActivationPlan> TFormMain::FormActivate() {
  if (activating_) return std::nullopt;
  activating_ = true;
  trace::Enter(u"FormActivate");
  ActivationPlan plan;
  plan.showWelcome = FadesIn();
  const config::TInstallInfos& infos = values_.installInfos;
  for (int i = 0; i < infos.GetCount(); ++i) plan.printers.push_back(infos.GetInfoItem(i).PrinterName);
  plan.firstSelection = plan.printers.empty() ? -1 : 0;
  m_iSelect = plan.firstSelection;
  return plan;
}

void TFormMain::ActivationDone() {
  if (!activating_) return;
  activating_ = false;
  trace::Leave(u"FormActivate");
}

const SelectionDisplay& TFormMain::OnSelect(int index) {
  // The run installs the model it started with; the list shows no other meanwhile.
  if (runner_.Running()) return selection_;
  const config::TInstallInfos& infos = values_.installInfos;
  if (index >= infos.GetCount()) index = -1;
  m_iSelect = index;
  trace::Format(u"已選擇打印機索引號碼：%d", {index});

  const config::TStrInstaller& texts = values_.strInstaller;
  selection_ = SelectionDisplay{};
  if (index < 0) {
    selection_.groupCaption = groupHint_;
    selection_.infosText = infosHint_ + texts.SelectAPrinterDriver;
    return selection_;
  }
  config::TRInstallInfo entry = infos.GetInfoItem(index);
  selection_.statusText = entry.FunctionDescribe;
  selection_.startEnabled = true;
  selection_.groupCaption = groupHint_ + entry.PrinterName;
  selection_.infosText = infosHint_ + texts.ClickInstallToStart;
  const ustring* documents[] = {&entry.InstallGuide, &entry.QuickGuide, &entry.UserManual};
  for (size_t i = 0; i < selection_.documents.size(); ++i) {
    DocumentLink& link = selection_.documents[i];
    link.hint = *documents[i];
    // Relative names are found in the current directory, as the shell opens them.
    link.enabled = !link.hint.empty() && files_.FileExists(link.hint);
  }
  return selection_;
}

void TFormMain::OpenDocument(DocumentLabel label, sys::WindowHandle owner) {
  const DocumentLink& link = selection_.Document(label);
  if (link.enabled) Open(link.hint, owner);
}

void TFormMain::LogoClick(sys::WindowHandle owner) {
  if (!brand_.logoUrl.empty()) Open(brand_.logoUrl, owner);
}

bool TFormMain::StartInstall() {
  if (!InstallAllowed() || m_iSelect < 0) return false;
  return runner_.Start(m_iSelect, true);
}

void TFormMain::RunEnded() {
  view_.SetRunning(false);
}

InstallingHints::Tick TFormMain::InstallingHintsTimer() {
  const config::TStrInstaller& texts = values_.strInstaller;
  return hints_.OnTimer(runner_.Progress(), texts.Installing, texts.InstallEnd);
}

void TFormMain::Open(const ustring& target, sys::WindowHandle owner) {
  // As the desktop's user, whose shell knows nothing of our current
  // directory: a relative document name is made full here. A shell failure
  // is not reported: the user sees nothing open and may retry.
  shell_.OpenAsDesktopUser(owner, IsWebLink(target) ? target : files_.FullPath(target));
}

}  // namespace prn::ui
