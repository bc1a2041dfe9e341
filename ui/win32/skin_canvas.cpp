#include "ui/win32/skin_canvas.h"

#include <algorithm>

namespace prn::ui {

SkinCanvas::SkinCanvas(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = GdiBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (dc_.Get() && bitmap_) previous_ = SelectObject(dc_.Get(), bitmap_.Get());
}

SkinCanvas::~SkinCanvas() {
  if (previous_) SelectObject(dc_.Get(), previous_);
}

void SkinCanvas::Fill(COLORREF colour) {
  RECT all{0, 0, width_, height_};
  GdiBrush brush(CreateSolidBrush(colour));
  FillRect(dc_.Get(), &all, brush.Get());
}

void SkinCanvas::Draw(const Picture& picture, const Box96& box, bool stretch) {
  if (!picture || box.width <= 0 || box.height <= 0) return;
  const SIZE size = picture.Size();
  const int width = stretch ? box.width : std::min<int>(box.width, size.cx);
  const int height = stretch ? box.height : std::min<int>(box.height, size.cy);
  const int sourceWidth = stretch ? size.cx : width;
  const int sourceHeight = stretch ? size.cy : height;
  MemoryDc source(dc_.Get());
  HGDIOBJ old = SelectObject(source.Get(), picture.Bitmap());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc_.Get(), box.x, box.y, width, height, source.Get(), 0, 0, sourceWidth, sourceHeight, blend);
  SelectObject(source.Get(), old);
}

void SkinCanvas::DrawCaptionButton(const Box96& box, bool close) {
  RECT place{box.x, box.y, box.x + box.width, box.y + box.height};
  DrawFrameControl(dc_.Get(), &place, DFC_CAPTION, close ? DFCS_CAPTIONCLOSE : DFCS_CAPTIONMIN);
}

void SkinCanvas::PaintTo(HDC target, const DpiScale& scale) const {
  if (scale.dpi == kDesignDpi) {
    BitBlt(target, 0, 0, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
    return;
  }
  const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, 0, 0, scale(width_), scale(height_), dc_.Get(), 0, 0, width_, height_, SRCCOPY);
  SetStretchBltMode(target, oldMode);
}

}  // namespace prn::ui
