#pragma once
// The classic installer window's view: title strip with logo and document
// links, the model list, the selected model's information, Install, the
// manager button and Exit. Events go to TFormMain, which runs installs
// and has this view lock and unlock the window around them.

#include <functional>
#include <future>
#include <memory>
#include <optional>

#include "sys/win32/spooler.h"
#include "ui/installer/form_main.h"
#include "ui/printer_change_watcher.h"
#include "ui/win32/enter_key.h"
#include "ui/win32/form_searching_dialog.h"
#include "ui/win32/gdi_owners.h"
#include "ui/win32/picture_file.h"
#include "ui/win32/window_base.h"

namespace prn::ui {

namespace form_main_id {
constexpr int Logo = 301;
constexpr int MainTitle = 302;
constexpr int Guide = 303;
constexpr int QuickGuide = 304;
constexpr int Manual = 305;
constexpr int Group = 306;
constexpr int Printers = 307;
constexpr int Manager = 308;
constexpr int Infos = 309;
constexpr int Start = 310;
constexpr int Exit = 311;
constexpr int Status = 312;
constexpr int GroupFrame = 313;  // the frame of grpPrinters; Group is its caption
}  // namespace form_main_id

class FormMainWindow : public WindowBase {
 public:
  // Created hidden. Closing it ends the message loop. `showManager` shows
  // the printer manager window.
  FormMainWindow(HINSTANCE instance, const sys::Platform& platform, const config::ProcessValues& values,
                 std::function<void()> showManager);
  ~FormMainWindow() override;

  void Show();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void CreateLogoHint();
  void ApplyDpi(int dpi);
  void Layout();
  // grpPrinters' caption sits on the frame's top line, as wide as its text.
  void PlaceGroupCaption();
  std::future<Picture> StartLogoLoad() const;
  void ShowLogo(Picture logo);
  // The logo's size in 96-dpi units: its own, made smaller to fit the strip.
  SIZE LogoBox() const;
  void DrawLogo(const DRAWITEMSTRUCT& item);
  // FormActivate: the welcome and the fade-in when the brand asks for them,
  // then the printer list.
  void BeginActivation();
  void FadeStep();
  void FinishActivation();
  // Another window of the program has closed: FormActivate runs again once
  // this window is active and no install is under way.
  void ReactivateIfActive();
  void FillPrinterList(const ActivationPlan& plan);
  void ShowSearchWindow();
  void RenderSelection();
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnColour(HDC dc, HWND control);
  void StartInstall();
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }

  // What the model asks of this window.
  class ModelView : public FormMainView {
   public:
    explicit ModelView(FormMainWindow& form) : form_(form) {}
    sys::WindowHandle Handle() const override { return reinterpret_cast<sys::WindowHandle>(form_.Handle()); }
    void SetRunning(bool running) override { form_.SetRunning(running); }
    void ShowSearchWindow() override { form_.ShowSearchWindow(); }
    void EnableWatchdogTimer(bool enabled) override;
    void Close() override { PostMessageW(form_.Handle(), WM_CLOSE, 0, 0); }

   private:
    FormMainWindow& form_;
  };
  void SetRunning(bool running);
  void OnTimer(UINT_PTR id);

  HINSTANCE instance_;
  const config::ProcessValues& values_;
  std::function<void()> showManager_;
  // The change monitor's news, for this window's thread; dropped once it goes.
  sys::UiTasks tasks_;
  ModelView view_{*this};
  std::unique_ptr<TFormMain> model_;
  // The title's double-click: a diagnostic that shows each spooler change in the caption.
  void StartChangeMonitor();
  std::unique_ptr<win32::Win32PrinterChanges> changes_;
  std::unique_ptr<PrinterChangeWatcher> changeMonitor_;
  config::FormDescription design_;
  GdiFont font_;
  GdiFont titleFont_;
  GdiFont linkFont_;
  GdiBrush background_;
  bool running_ = false;
  bool activated_ = false;
  bool reactivate_ = false;
  std::optional<ActivationPlan> plan_;  // while FormActivate is under way
  size_t fadeStep_ = 0;
  FormSearchingDialog search_;
  HWND lastFocus_ = nullptr;
  HWND hovered_ = nullptr;  // the document label or logo under the mouse
  bool IsLink(HWND control) const;
  void Hover(HWND control);
  // The document labels and the logo: the mouse over one, and leaving it.
  static LRESULT CALLBACK LinkProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self);
  void OnLinkMouse(HWND control, UINT message);
  bool rendering_ = false;
  std::optional<EnterKey> enter_;
  Picture logoPicture_;
  GdiBitmap logoShown_;  // the logo for the current DPI on the title strip's white
  GdiFont infosFont_;
  GdiBrush infosBackground_;
  ImageList modelImages_;
  ImageList startGlyph_;
  ImageList exitGlyph_;
  ImageList managerGlyph_;
};

}  // namespace prn::ui
