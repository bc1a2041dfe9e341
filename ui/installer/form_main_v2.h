#pragma once
// The skinned installer window (TFormMainV2) without its controls: which
// picture each control shows, which buttons exist, what a link click opens
// and where a press drags the window.

#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "config/process_values.h"
#include "config/install_info.h"
#include "sys/dialogs.h"
#include "sys/platform.h"
#include "sys/ui_thread.h"
#include "ui/installer/open_link.h"

namespace prn::ui {

enum class SkinPicture {
  Background,  // imgBackGrand
  Printer,     // imgPrinter
  Minimise,    // imgMin
  Close,       // imgClose
  Image0,      // manager button
  Image1,      // install button
  Image10,     // label picture lit with the install button
  Image2,      // link buttons 2 to 5
  Image3,
  Image4,
  Image5,
};

// The picture controls as the Win32 view (or a test) provides them.
class FormMainV2View {
 public:
  virtual ~FormMainV2View() = default;
  // Decodes `file` (a full path) into the control; false when its content
  // cannot be decoded, in which case the control keeps its previous picture.
  virtual bool ShowPicture(SkinPicture control, const ustring& file) = 0;
  virtual void HidePicture(SkinPicture control) = 0;
};

// Messages that let the system move a borderless window with the mouse.
constexpr uint32_t kWmNcLButtonDown = 0xA1;
constexpr uintptr_t kHtCaption = 2;

// A left-button press on the background drags the window when it lies in the
// top 94 pixels of the background picture (y in the picture's own pixels).
bool DragHitTest(int y);

// What Image1Click leads to.
enum class BeginInstallResult {
  Declined,            // an older driver stays, or the user said No
  ShowProgressWindow,  // TFormInstalling, modally: it runs the install
  EndApplication,      // the user accepted a restart that Windows has begun
};

class TFormMainV2 {
 public:
  TFormMainV2(const config::ProcessValues& values, const sys::Platform& platform, FormMainV2View& view);
  // Waits for a check before an install that is still running.
  ~TFormMainV2();
  TFormMainV2(const TFormMainV2&) = delete;
  TFormMainV2& operator=(const TFormMainV2&) = delete;

  // FormCreate: the pictures of entry 0 and of the Resource folder; link
  // buttons without a target are hidden. The first picture that cannot be
  // shown is named in an error box and the remaining steps are skipped.
  void FormCreate(sys::WindowHandle owner);
  // FormShow: the manager button only when entry 0 asks for it.
  bool ShowsManagerButton() const;

  // Image0/1/2…5, imgMin and imgClose mouse enter (hot) and leave; a picture
  // that cannot be shown is named in an error box every time.
  void Hover(SkinPicture button, bool hot, sys::WindowHandle owner);
  // Image1Click: removes an older driver when the package asks (with the
  // user's consent) and asks the user to get the printer ready; the skinned
  // window always asks, whatever QuiteMode says. The removal runs the printer
  // UI and waits for it, so it runs on a thread of its own while the window
  // stays responsive; its questions are boxes of `owner`. `decided` hears the
  // outcome on the UI thread. Nothing happens while a check is under way.
  void BeginInstall(sys::WindowHandle owner, std::function<void(BeginInstallResult)> decided);
  // A check before an install is under way: the window takes no click and does not close.
  bool Checking() const { return checking_; }

  // Image2Click … Image5Click (button 2 to 5).
  void LinkClick(int button, sys::WindowHandle owner);

  // The buttons that Tab visits, in order (install first, the window's own
  // minimise and close last); Enter or Space on one clicks it, and the
  // focused one shows its highlighted picture.
  std::vector<SkinPicture> TabOrder() const;

 private:
  bool LoadButton(SkinPicture control, bool hot, sys::WindowHandle owner);
  bool Load(SkinPicture control, const ustring& file, sys::WindowHandle owner);
  const ustring& LinkOf(int button) const;

  BeginInstallResult AskBeforeInstall(sys::WindowHandle owner);

  const config::ProcessValues& values_;
  sys::Platform platform_;
  const sys::FileSystem& files_;
  sys::Dialogs& dialogs_;
  sys::UiTasks tasks_;
  sys::UiThreadDialogs checkDialogs_;  // the removal's boxes, from its thread
  std::thread check_;
  bool checking_ = false;
  FormMainV2View& view_;
  LinkOpener links_;
  config::TRInstallInfo entry_;
};

}  // namespace prn::ui
