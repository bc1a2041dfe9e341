#pragma once
// The classic installer window (TFormMain) without its controls: the brand,
// the model list and its selection, the document links and the install
// hints. The Win32 view creates the controls, forwards events here and shows
// what the model answers.

#include <array>
#include <optional>

#include "app/process_values.h"
#include "config/window_description.h"
#include "install/install_context.h"
#include "sys/platform.h"
#include "sys/window_handle.h"
#include "ui/installer/brand.h"
#include "ui/installer/installing_hints.h"

namespace prn::ui {

enum class DocumentLabel { Guide, QuickGuide, Manual };  // lblReadGuide, lblReadQuickGuide, lblReadManual

struct DocumentLink {
  ustring hint;  // the document's name as the settings give it
  bool enabled = false;
};

// What the window shows for the selected model.
struct SelectionView {
  ustring statusText;
  bool startEnabled = false;
  ustring groupCaption;
  ustring infosText;
  std::array<DocumentLink, 3> documents;  // by DocumentLabel

  const DocumentLink& Document(DocumentLabel label) const { return documents[static_cast<size_t>(label)]; }
};

struct BrandView {
  LogoSource logo;  // the view hides the logo when this cannot be loaded
  uint32_t colour = kDefaultBrandColour;  // of edtInfos, lblMainTitle and grpPrinters
  ustring mainTitle;
  ustring logoUrl;
};

// What FormActivate has the view do, in order: the welcome window (title in
// the brand colour) and the fade-in when asked, alpha blending off, then the
// printer list filled and its first item selected.
struct ActivationPlan {
  bool showWelcome = false;
  StringList printers;
  int firstSelection = -1;
};

// Document label colours (Windows colour values): blue under the mouse, else black.
constexpr uint32_t kLinkHoverColour = 0xFF0000;
constexpr uint32_t kLinkColour = 0x000000;

// Lefts of the title and the document labels in the title strip: the title
// 20 pixels right of the logo, the guide below it, each further label 5
// pixels right of the one before (widths as designed, in 96-dpi pixels).
struct TitleLayout {
  int mainTitleLeft = 0;
  int guideLeft = 0;
  int quickGuideLeft = 0;
  int manualLeft = 0;
};
TitleLayout LayOutTitle(int logoRight, int guideWidth, int quickGuideWidth);

// Designed controls of TFormMain in component order, with their captions.
config::FormDescription FormMainDesign();

class FormMainModel {
 public:
  // `context` is the window's install state, shared with the install run.
  FormMainModel(const app::ProcessValues& values, install::InstallContext& context, const sys::Platform& platform);

  // FormCreate: the run's values into the install context, entry 0 selected,
  // the brand worked out and the captions of "Controls.Installer" applied to `form`.
  void FormCreate(config::FormDescription& form);
  const BrandView& Brand() const { return brand_; }

  // FormShow: the manager button only when entry 0 asks for it.
  bool ShowsManagerButton() const;
  // The maker's own brand is welcomed and faded in; the window starts
  // transparent only then, since other brands are shown at once.
  bool FadesIn() const;

  // FormActivate; nothing while an activation is still under way (the focus
  // that returns when the welcome window closes). ActivationDone ends it.
  std::optional<ActivationPlan> FormActivate();
  void ActivationDone();

  // lvPrintersSelectItem with the list's selected index (-1: none).
  const SelectionView& OnSelect(int index);
  const SelectionView& Selection() const { return selection_; }
  int SelectedIndex() const { return context_.m_iSelect; }
  // btnStartClick and lvPrintersDblClick start the install run only with a
  // model selected: a double-click on the list's empty space selects none.
  bool InstallAllowed() const { return selection_.startEnabled; }

  // A click on a document label: opens its document when the label is enabled.
  void OpenDocument(DocumentLabel label, sys::WindowHandle owner);
  // imgLogoClick; imgLogoMouseMove shows LogoHint() as hint and status text when not empty.
  void LogoClick(sys::WindowHandle owner);
  const ustring& LogoHint() const { return brand_.logoUrl; }

  // tmrInstallingHintsTimer.
  InstallingHints::Tick InstallingHintsTimer();

 private:
  void Open(const ustring& target, sys::WindowHandle owner);

  const app::ProcessValues& values_;
  install::InstallContext& context_;
  const sys::FileSystem& files_;
  sys::Shell& shell_;
  ustring programFolder_;

  BrandView brand_;
  ustring groupHint_;
  ustring infosHint_;
  SelectionView selection_;
  InstallingHints hints_;
  bool activating_ = false;
};

}  // namespace prn::ui
