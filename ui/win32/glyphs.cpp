#include "ui/win32/glyphs.h"

#include "ui/printer_rows.h"
#include "ui/win32/dpi.h"

namespace prn::ui {

namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);

// Drawing in a 16-unit grid scaled to `size` pixels.
class Grid {
 public:
  Grid(HDC dc, int size) : dc_(dc), size_(size) {}
  int operator()(int units) const { return MulDiv(units, size_, 16); }

  void Fill(int left, int top, int right, int bottom, COLORREF colour) const {
    RECT box{(*this)(left), (*this)(top), (*this)(right), (*this)(bottom)};
    GdiBrush brush(CreateSolidBrush(colour));
    FillRect(dc_, &box, brush.Get());
  }
  void Polygon(const POINT* units, int count, COLORREF colour) const {
    POINT points[8];
    for (int i = 0; i < count && i < 8; ++i) points[i] = POINT{(*this)(units[i].x), (*this)(units[i].y)};
    GdiBrush brush(CreateSolidBrush(colour));
    GdiPen pen(CreatePen(PS_SOLID, 1, colour));
    HGDIOBJ oldBrush = SelectObject(dc_, brush.Get());
    HGDIOBJ oldPen = SelectObject(dc_, pen.Get());
    ::Polygon(dc_, points, count < 8 ? count : 8);
    SelectObject(dc_, oldPen);
    SelectObject(dc_, oldBrush);
  }

 private:
  HDC dc_;
  int size_;
};

void DrawPrinter(const Grid& grid, int image) {
  const bool offline = image >= printer_image::OfflineOffset;
  const int base = offline ? image - printer_image::OfflineOffset : image;
  const bool isDefault = base == printer_image::Default || base == printer_image::ServerDefault;
  const bool server = base == printer_image::Server || base == printer_image::ServerDefault;
  const COLORREF body = offline ? RGB(170, 170, 170) : RGB(90, 96, 110);

  grid.Fill(4, 0, 12, 6, RGB(120, 120, 120));   // paper, outlined so that it shows on white
  grid.Fill(5, 1, 11, 6, RGB(255, 255, 255));
  grid.Fill(1, 6, 15, 12, body);                // body
  grid.Fill(3, 11, 13, 14, RGB(235, 235, 235));  // output tray
  grid.Fill(11, 7, 13, 8, offline ? RGB(120, 120, 120) : RGB(80, 220, 80));  // power lamp
  if (server) grid.Fill(0, 13, 7, 16, RGB(40, 110, 210));
  if (isDefault) {
    grid.Fill(10, 10, 16, 16, RGB(30, 150, 60));
    grid.Fill(12, 12, 14, 14, RGB(255, 255, 255));
  }
  if (offline) grid.Fill(0, 0, 5, 5, RGB(210, 40, 40));
}

// A green tick: go ahead.
void DrawInstall(const Grid& grid) {
  const POINT tick[] = {{1, 8}, {4, 5}, {7, 8}, {13, 2}, {15, 4}, {7, 13}};
  grid.Polygon(tick, 6, RGB(20, 140, 40));
}

// An open door with an arrow leaving through it.
void DrawExit(const Grid& grid) {
  grid.Fill(2, 1, 10, 15, RGB(110, 70, 30));   // frame
  grid.Fill(3, 2, 9, 15, RGB(40, 30, 20));     // the dark doorway
  const POINT door[] = {{3, 2}, {7, 4}, {7, 16}, {3, 15}};
  grid.Polygon(door, 4, RGB(200, 150, 80));
  const POINT arrow[] = {{8, 7}, {12, 7}, {12, 5}, {16, 8}, {12, 11}, {12, 9}, {8, 9}};
  grid.Polygon(arrow, 7, RGB(200, 30, 30));
}

// Draws `count` pictures of `units` 96-dpi units with `draw` into a masked image list.
template <typename Draw>
ImageList MakeImages(int dpi, int units, int count, Draw&& draw) {
  const int size = DpiScale{dpi}(units);
  ImageList images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 0));
  WindowDc screen(nullptr);
  MemoryDc memory(screen.Get());
  for (int image = 0; image < count; ++image) {
    GdiBitmap bitmap(CreateCompatibleBitmap(screen.Get(), size, size));
    HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
    const Grid grid(memory.Get(), size);
    grid.Fill(0, 0, 16, 16, kMask);
    draw(grid, image);
    SelectObject(memory.Get(), previous);
    ImageList_AddMasked(images.Get(), bitmap.Get(), kMask);
  }
  return images;
}

}  // namespace

ImageList CreatePrinterImages(int dpi) {
  return MakeImages(dpi, 16, printer_image::Count, [](const Grid& grid, int image) {
    if (image != 4) DrawPrinter(grid, image);  // 4 is unused, kept so that +5 lines up
  });
}

ImageList CreateModelImages(int dpi) {
  return MakeImages(dpi, 32, 1, [](const Grid& grid, int) { DrawPrinter(grid, printer_image::Plain); });
}

ImageList CreateButtonGlyph(ButtonGlyph glyph, int dpi) {
  return MakeImages(dpi, 16, 1, [glyph](const Grid& grid, int) {
    switch (glyph) {
      case ButtonGlyph::Install: DrawInstall(grid); break;
      case ButtonGlyph::Exit: DrawExit(grid); break;
      case ButtonGlyph::Manager: DrawPrinter(grid, printer_image::Plain); break;
    }
  });
}

void ShowButtonGlyph(HWND button, HIMAGELIST glyph, int dpi) {
  const int margin = DpiScale{dpi}(4);
  BUTTON_IMAGELIST list{glyph, RECT{margin, 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
  SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
  InvalidateRect(button, nullptr, TRUE);
}

}  // namespace prn::ui
