#include "ui/win32/printer_images.h"

#include "ui/printer_rows.h"
#include "ui/win32/dpi.h"

namespace prn::ui {

namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);

class Brush {
 public:
  explicit Brush(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}
  ~Brush() { DeleteObject(brush_); }
  Brush(const Brush&) = delete;
  Brush& operator=(const Brush&) = delete;
  HBRUSH Get() const { return brush_; }

 private:
  HBRUSH brush_;
};

void Fill(HDC dc, int size, int left, int top, int right, int bottom, COLORREF colour) {
  RECT box{MulDiv(left, size, 16), MulDiv(top, size, 16), MulDiv(right, size, 16), MulDiv(bottom, size, 16)};
  Brush brush(colour);
  FillRect(dc, &box, brush.Get());
}

// One 16-unit picture scaled to `size` pixels.
void DrawPrinter(HDC dc, int size, int image) {
  const bool offline = image >= printer_image::OfflineOffset;
  const int base = offline ? image - printer_image::OfflineOffset : image;
  const bool isDefault = base == printer_image::Default || base == printer_image::ServerDefault;
  const bool server = base == printer_image::Server || base == printer_image::ServerDefault;
  const COLORREF body = offline ? RGB(170, 170, 170) : RGB(90, 96, 110);

  Fill(dc, size, 0, 0, 16, 16, kMask);
  Fill(dc, size, 4, 0, 12, 6, RGB(120, 120, 120));   // paper, outlined so that it shows on white
  Fill(dc, size, 5, 1, 11, 6, RGB(255, 255, 255));
  Fill(dc, size, 1, 6, 15, 12, body);                // body
  Fill(dc, size, 3, 11, 13, 14, RGB(235, 235, 235));  // output tray
  Fill(dc, size, 11, 7, 13, 8, offline ? RGB(120, 120, 120) : RGB(80, 220, 80));  // power lamp
  if (server) Fill(dc, size, 0, 13, 7, 16, RGB(40, 110, 210));
  if (isDefault) {
    Fill(dc, size, 10, 10, 16, 16, RGB(30, 150, 60));
    Fill(dc, size, 12, 12, 14, 14, RGB(255, 255, 255));
  }
  if (offline) Fill(dc, size, 0, 0, 5, 5, RGB(210, 40, 40));
}

}  // namespace

ImageList CreatePrinterImages(int dpi) {
  const int size = DpiScale{dpi}(16);
  ImageList images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, printer_image::Count, 0));
  WindowDc screen(nullptr);
  MemoryDc memory(screen.Get());
  HDC dc = memory.Get();
  for (int image = 0; image < printer_image::Count; ++image) {
    GdiBitmap bitmap(CreateCompatibleBitmap(screen.Get(), size, size));
    HGDIOBJ previous = SelectObject(dc, bitmap.Get());
    if (image == 4) Fill(dc, size, 0, 0, 16, 16, kMask);  // unused index, kept so that +5 lines up
    else DrawPrinter(dc, size, image);
    SelectObject(dc, previous);
    ImageList_AddMasked(images.Get(), bitmap.Get(), kMask);
  }
  return images;
}

}  // namespace prn::ui
