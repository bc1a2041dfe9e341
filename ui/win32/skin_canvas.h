#pragma once
// The skinned window's back buffer: its pictures composed at design size in
// a 32-bit DIB section, then drawn to the window in one blit, scaled to the
// window's DPI, so that a change never flickers.

#include <windows.h>

#include "ui/win32/dpi.h"
#include "ui/win32/gdi_owners.h"
#include "ui/win32/picture_file.h"

namespace prn::ui {

class SkinCanvas {
 public:
  SkinCanvas(int width, int height);
  ~SkinCanvas();
  SkinCanvas(const SkinCanvas&) = delete;
  SkinCanvas& operator=(const SkinCanvas&) = delete;

  void Fill(COLORREF colour);
  // Blends `picture` over what is there by its alpha: at its own size from
  // the box's top left and cut to the box, or stretched to fill it.
  void Draw(const Picture& picture, const Box96& box, bool stretch);
  // The system's own close or minimise button, for a window without its pictures.
  void DrawCaptionButton(const Box96& box, bool close);
  // The whole buffer onto `target`, its 96-dpi units scaled by `scale`.
  // Scaling keeps colours exact so that the window's colour key still matches.
  void PaintTo(HDC target, const DpiScale& scale) const;

 private:
  int width_;
  int height_;
  GdiBitmap bitmap_;
  MemoryDc dc_{nullptr};  // declared after the bitmap: deleted before it
  HGDIOBJ previous_ = nullptr;
};

}  // namespace prn::ui
