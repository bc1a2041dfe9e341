#pragma once
// The classic installer window (TFormMain) without its controls: the brand,
// the model list and its selection, the document links and the install
// hints. The Win32 view creates the controls, forwards events here and shows
// what the model answers.

#include <array>
#include <cstdint>
#include <optional>

#include "config/process_values.h"
#include "config/window_description.h"
#include "install/install_context.h"
#include "install/run/install_runner.h"
#include "sys/dialogs.h"
#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::sys {
class FileSystem;
}

namespace prn::ui {

// --- The OEM brand as the classic window wears it: logo source, colour, and
// whether the maker's own welcome and fade-in play ---

// Purple, for a colour text that is not hexadecimal.
constexpr uint32_t kDefaultBrandColour = 0x800080;

// "$" + text read as hexadecimal: a Windows colour value (blue, green, red
// bytes). Anything else, or a value wider than three bytes, gives purple.
uint32_t ParseBrandColour(ustring_view oemColor);

struct LogoSource {
  enum class Kind { File, BitmapResource } kind = Kind::BitmapResource;
  ustring name;  // full path of the file, or the resource name
};

// The settings' `Logo` below the program folder when that file exists,
// otherwise the brand's bitmap resource.
LogoSource ResolveLogo(ustring_view logo, ustring_view programFolder, ustring_view bitmapResource,
                       const sys::FileSystem& files);

// The maker's own brands (the name contains "Pellnor", any case) get the
// welcome window and the fade-in.
bool IsWelcomeBrand(ustring_view manufactor);

// Alpha values of the fade-in, one every kFadeStepMs; then fully opaque.
inline constexpr std::array<uint8_t, 12> kFadeAlphas = {40, 70, 100, 130, 150, 170, 190, 200, 210, 230, 240, 250};
constexpr uint32_t kFadeStepMs = 60;

// --- The status-bar text of the 500 ms hint timer while an install runs:
// nothing before the install itself starts, then "Installing" and 0 to 6
// full stops, then the end text ---

constexpr uint32_t kInstallingHintsMs = 500;

class InstallingHints {
 public:
  struct Tick {
    ustring statusText;
    bool keepRunning = false;  // false: the timer disables itself
  };

  // One tick of tmrInstallingHints for the window's install state.
  Tick OnTimer(install::TInstallProgress progress, ustring_view installing, ustring_view installEnd);

 private:
  int dots_ = 0;  // the timer's tag
};

// --- The window ---

enum class DocumentLabel { Guide, QuickGuide, Manual };  // lblReadGuide, lblReadQuickGuide, lblReadManual

struct DocumentLink {
  ustring hint;  // the document's name as the settings give it
  bool enabled = false;
};

// What the window shows for the selected model.
struct SelectionDisplay {
  ustring statusText;
  bool startEnabled = false;
  ustring groupCaption;
  ustring infosText;
  std::array<DocumentLink, 3> documents;  // by DocumentLabel

  const DocumentLink& Document(DocumentLabel label) const { return documents[static_cast<size_t>(label)]; }
};

struct BrandDisplay {
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

// What the model asks of its Win32 (or headless) view, on the UI thread.
class FormMainView {
 public:
  virtual ~FormMainView() = default;
  // The window's handle: the run's boxes are its, and the 64-bit host reports to it.
  virtual sys::WindowHandle Handle() const = 0;
  // While a run is going: lvPrinters, btnStart, btnExit and btnPrinterManager
  // off, the hourglass and the install hints on. Afterwards the window is
  // shown again if the search window hid it, and the focus goes to Exit.
  virtual void SetRunning(bool running) = 0;
  // Hides the window and shows the search window modally; returns when it has closed.
  virtual void ShowSearchWindow() = 0;
  virtual void EnableWatchdogTimer(bool enabled) = 0;  // tmrSetup64Error
  virtual void Close() = 0;
};

class TFormMain : private install::InstallWindow {
 public:
  TFormMain(FormMainView& view, const config::ProcessValues& values, const sys::Platform& platform);

  // FormCreate: entry 0 selected, the brand worked out and the captions of
  // "Controls.Installer" applied to `form`.
  void FormCreate(config::FormDescription& form);
  const BrandDisplay& Brand() const { return brand_; }

  // FormShow: the manager button only when entry 0 asks for it.
  bool ShowsManagerButton() const;
  // The maker's own brand is welcomed and faded in; the window starts
  // transparent only then, since other brands are shown at once.
  bool FadesIn() const;

  // FormActivate; nothing while an activation is still under way (the focus
  // that returns when the welcome window closes). ActivationDone ends it.
  std::optional<ActivationPlan> FormActivate();
  void ActivationDone();

  // lvPrintersSelectItem with the list's selected index (-1: none). While a
  // run is going the choice stays as it was.
  const SelectionDisplay& OnSelect(int index);
  const SelectionDisplay& Selection() const { return selection_; }
  int SelectedIndex() const { return m_iSelect; }
  // btnStartClick and lvPrintersDblClick: an install run of the selected
  // model, only with one selected (a double-click on the list's empty space
  // selects none) and none running. False when nothing was started.
  bool StartInstall();
  bool InstallAllowed() const { return selection_.startEnabled && !runner_.Running(); }
  // btnExit and the close box: refused while a run is going.
  bool CloseAllowed() const { return !runner_.Running(); }
  bool Running() const { return runner_.Running(); }

  // The 64-bit host's 0x401/0x402; true when taken.
  bool OnHostMessage(uint32_t message, uint32_t lParam) { return runner_.OnHostMessage(message, lParam); }
  // tmrSetup64Error.
  void tmrSetup64ErrorTimer() { runner_.OnWatchdogTimer(); }
  install::InstallRunner& Runner() { return runner_; }

  // A click on a document label: opens its document when the label is enabled.
  void OpenDocument(DocumentLabel label, sys::WindowHandle owner);
  // imgLogoClick; imgLogoMouseMove shows LogoHint() as hint and status text when not empty.
  void LogoClick(sys::WindowHandle owner);
  const ustring& LogoHint() const { return brand_.logoUrl; }

  // tmrInstallingHintsTimer.
  InstallingHints::Tick InstallingHintsTimer();

 private:
  void Open(const ustring& target, sys::WindowHandle owner);

  // What the run asks of this window.
  sys::WindowHandle Handle() const override { return view_.Handle(); }
  void RunStarted() override { view_.SetRunning(true); }
  void RunEnded() override;
  void ShowSearchWindow() override { view_.ShowSearchWindow(); }
  void EnableWatchdog(bool enabled) override { view_.EnableWatchdogTimer(enabled); }
  void ShowFinished() override {}
  void EndApplication() override { view_.Close(); }

  FormMainView& view_;
  const config::ProcessValues& values_;
  const sys::FileSystem& files_;
  sys::Shell& shell_;
  ustring programFolder_;

  BrandDisplay brand_;
  ustring groupHint_;
  ustring infosHint_;
  SelectionDisplay selection_;
  InstallingHints hints_;
  bool activating_ = false;
  int m_iSelect = -1;  // the selected printer entry; below 0 when none is selected
  install::InstallRunner runner_;
};

}  // namespace prn::ui
