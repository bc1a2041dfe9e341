#pragma once
// The skinned installer window (TFormMainV2) without its controls: which
// picture each control shows, which buttons exist, what a link click opens
// and where a press drags the window.

#include <optional>

#include "app/process_values.h"
#include "config/install_info.h"
#include "sys/platform.h"
#include "sys/window_handle.h"
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
class SkinView {
 public:
  virtual ~SkinView() = default;
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

class FormMainV2Model {
 public:
  FormMainV2Model(const app::ProcessValues& values, const sys::Platform& platform, SkinView& view);

  // FormCreate: the pictures of entry 0 and of the Resource folder; link
  // buttons without a target are hidden. The first picture that cannot be
  // shown is named in an error box and the remaining steps are skipped.
  void FormCreate(sys::WindowHandle owner);
  // FormShow: the manager button only when entry 0 asks for it.
  bool ShowsManagerButton() const;

  // Image0/1/2…5, imgMin and imgClose mouse enter (hot) and leave; a picture
  // that cannot be shown is named in an error box every time.
  void Hover(SkinPicture button, bool hot, sys::WindowHandle owner);
  // Image2Click … Image5Click (button 2 to 5).
  void LinkClick(int button, sys::WindowHandle owner);

 private:
  bool LoadButton(SkinPicture control, bool hot, sys::WindowHandle owner);
  bool Load(SkinPicture control, const ustring& file, sys::WindowHandle owner);
  const ustring& LinkOf(int button) const;

  const app::ProcessValues& values_;
  const sys::FileSystem& files_;
  sys::Dialogs& dialogs_;
  SkinView& view_;
  LinkOpener links_;
  config::TRInstallInfo entry_;
};

}  // namespace prn::ui
