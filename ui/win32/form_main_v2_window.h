#pragma once
// The skinned installer window's view: a borderless 800 × 600 window drawn
// from pictures, shaped by the colour key of its background, with picture
// buttons that light up under the mouse or the keyboard focus. Pictures,
// clicks and drags are decided by TFormMainV2.

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "install/install_context.h"
#include "ui/installer/form_main_v2.h"
#include "ui/win32/picture_file.h"
#include "ui/win32/skin_canvas.h"
#include "ui/win32/window_base.h"

namespace prn::ui {

// The Windows colour value the background draws transparent (blue, green, red bytes).
constexpr COLORREF kSkinColourKey = 7740594;

class FormMainV2Window : public WindowBase, public FormMainV2View {
 public:
  // Created hidden, with its pictures loaded (a picture that cannot be read
  // is named in a box). Closing the main window ends the message loop.
  // `showProgress` shows the progress window over `owner` once the user
  // agreed to install.
  FormMainV2Window(HINSTANCE instance, const sys::Platform& platform, const config::ProcessValues& values,
                   bool mainWindow, std::function<void()> showManager, std::function<void(HWND owner)> showProgress);

  void Show();

  bool ShowPicture(SkinPicture control, const ustring& file) override;
  void HidePicture(SkinPicture control) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct ControlState {
    Picture picture;
    bool hidden = false;
    bool hot = false;  // shows its highlighted picture
  };

  ControlState& State(SkinPicture control) { return controls_[static_cast<size_t>(control)]; }
  Box96 BoxOf(SkinPicture control) const;
  std::optional<SkinPicture> ButtonAt(LPARAM clientPoint) const;
  sys::WindowHandle Owner() const { return reinterpret_cast<sys::WindowHandle>(Handle()); }

  void PlaceOnScreen(int dpi);
  void Paint(HDC target);
  void Redraw();
  void OnMouseMove(LPARAM point);
  void OnButtonDown(LPARAM point);
  void OnButtonUp(LPARAM point);
  bool OnKey(WPARAM key);
  void MoveFocus(bool backwards);
  // Lights the hovered and the focused button, puts the others back.
  void UpdateHot();
  void Click(SkinPicture button);
  void BeginInstall();

  bool mainWindow_;
  std::function<void()> showManager_;
  std::function<void(HWND)> showProgress_;
  std::unique_ptr<TFormMainV2> model_;
  std::array<ControlState, 11> controls_;
  SkinCanvas canvas_;
  bool composed_ = false;
  bool trackingLeave_ = false;
  std::optional<SkinPicture> hovered_;
  std::optional<SkinPicture> focused_;
  std::optional<SkinPicture> pressed_;
};

}  // namespace prn::ui
