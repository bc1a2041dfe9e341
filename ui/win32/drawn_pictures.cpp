#include "ui/win32/drawn_pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

// --- The welcome window's pictures ---

namespace {

constexpr double kPi = 3.14159265358979323846;

// Design units: the picture is 100 × 72; Canvas maps them into the box.
class Canvas {
 public:
  Canvas(HDC dc, const RECT& box) : dc_(dc), box_(box) {
    oldPen_ = SelectObject(dc, GetStockObject(DC_PEN));
    oldBrush_ = SelectObject(dc, GetStockObject(DC_BRUSH));
  }
  ~Canvas() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  POINT At(double x, double y) const {
    return POINT{box_.left + static_cast<LONG>(std::lround(x * Width() / 100.0)),
                 box_.top + static_cast<LONG>(std::lround(y * Height() / 72.0))};
  }
  int Units(double length) const { return std::max(1, static_cast<int>(std::lround(length * Width() / 100.0))); }

  // Top to bottom from `top` to `bottom` colour.
  void Gradient(COLORREF top, COLORREF bottom) {
    const int height = Height();
    for (int row = 0; row < height; ++row) {
      auto mix = [&](int a, int b) { return a + (b - a) * row / std::max(1, height - 1); };
      const COLORREF colour = RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                                  mix(GetBValue(top), GetBValue(bottom)));
      SetDCBrushColor(dc_, colour);
      RECT line{box_.left, box_.top + row, box_.right, box_.top + row + 1};
      FillRect(dc_, &line, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
  }
  void Colours(COLORREF line, COLORREF fill) {
    SetDCPenColor(dc_, line);
    SetDCBrushColor(dc_, fill);
  }
  void Box(double left, double top, double right, double bottom, double round = 0) {
    const POINT a = At(left, top);
    const POINT b = At(right, bottom);
    if (round > 0) {
      RoundRect(dc_, a.x, a.y, b.x, b.y, Units(round), Units(round));
    } else {
      Rectangle(dc_, a.x, a.y, b.x, b.y);
    }
  }
  void Circle(double x, double y, double radius) {
    // Units are square in a box of the designed proportions.
    const POINT a = At(x - radius, y - radius);
    const POINT b = At(x + radius, y + radius);
    Ellipse(dc_, a.x, a.y, b.x, b.y);
  }
  void Shape(const std::vector<POINT>& design) {
    std::vector<POINT> points;
    for (const POINT& p : design) points.push_back(At(p.x, p.y));
    Polygon(dc_, points.data(), static_cast<int>(points.size()));
  }
  // A thick stroke through the design points.
  void Stroke(const std::vector<POINT>& design, COLORREF colour, double width) {
    LOGBRUSH brush{BS_SOLID, colour, 0};
    GdiPen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                            static_cast<DWORD>(Units(width)), &brush, 0, nullptr));
    HGDIOBJ old = SelectObject(dc_, pen.Get());
    std::vector<POINT> points;
    for (const POINT& p : design) points.push_back(At(p.x, p.y));
    Polyline(dc_, points.data(), static_cast<int>(points.size()));
    SelectObject(dc_, old);
  }

 private:
  int Width() const { return box_.right - box_.left; }
  int Height() const { return box_.bottom - box_.top; }

  HDC dc_;
  RECT box_;
  HGDIOBJ oldPen_;
  HGDIOBJ oldBrush_;
};

void Printer(Canvas& c) {
  c.Gradient(RGB(214, 234, 255), RGB(160, 200, 245));
  c.Colours(RGB(250, 250, 250), RGB(255, 255, 255));
  c.Box(32, 8, 68, 30);  // paper going in
  c.Colours(RGB(60, 70, 90), RGB(90, 104, 130));
  c.Box(18, 26, 82, 54, 8);  // body
  c.Colours(RGB(40, 48, 64), RGB(50, 58, 76));
  c.Box(26, 44, 74, 50, 2);  // paper slot
  c.Colours(RGB(235, 235, 235), RGB(255, 255, 255));
  c.Box(30, 47, 70, 66);  // printed page
  c.Colours(RGB(120, 170, 230), RGB(120, 170, 230));
  c.Box(35, 53, 65, 55);
  c.Box(35, 58, 58, 60);
  c.Colours(RGB(40, 160, 70), RGB(70, 210, 100));
  c.Circle(74, 33, 2.5);  // ready lamp
}

void Page(Canvas& c) {
  c.Gradient(RGB(255, 236, 214), RGB(250, 200, 160));
  c.Colours(RGB(200, 170, 140), RGB(255, 255, 255));
  c.Shape({{32, 6}, {60, 6}, {70, 16}, {70, 66}, {32, 66}});
  c.Colours(RGB(200, 170, 140), RGB(240, 226, 210));
  c.Shape({{60, 6}, {60, 16}, {70, 16}});
  c.Colours(RGB(230, 130, 60), RGB(230, 130, 60));
  c.Box(37, 22, 62, 25);
  c.Colours(RGB(190, 190, 200), RGB(190, 190, 200));
  for (int line = 0; line < 5; ++line) c.Box(37, 31 + line * 6, line == 4 ? 54 : 65, 33 + line * 6);
}

void Computer(Canvas& c) {
  c.Gradient(RGB(220, 245, 228), RGB(160, 215, 180));
  c.Colours(RGB(50, 60, 70), RGB(70, 80, 92));
  c.Box(22, 8, 78, 50, 4);  // monitor
  c.Colours(RGB(30, 110, 170), RGB(60, 150, 220));
  c.Box(26, 12, 74, 46);  // screen
  c.Colours(RGB(255, 255, 255), RGB(255, 255, 255));
  c.Box(30, 17, 52, 20);
  c.Box(30, 24, 60, 26);
  c.Box(30, 29, 46, 31);
  c.Colours(RGB(50, 60, 70), RGB(90, 100, 112));
  c.Shape({{44, 50}, {56, 50}, {60, 60}, {40, 60}});  // stand
  c.Box(30, 60, 70, 64, 2);
}

void Gear(Canvas& c) {
  c.Gradient(RGB(238, 228, 255), RGB(196, 176, 240));
  std::vector<POINT> teeth;
  constexpr int kTeeth = 10;
  for (int i = 0; i < kTeeth * 4; ++i) {
    const double angle = 2 * kPi * i / (kTeeth * 4);
    const double radius = (i % 4 == 1 || i % 4 == 2) ? 24 : 18;
    teeth.push_back(POINT{static_cast<LONG>(50 + radius * std::cos(angle)),
                          static_cast<LONG>(36 + radius * std::sin(angle))});
  }
  c.Colours(RGB(100, 70, 160), RGB(130, 100, 200));
  c.Shape(teeth);
  c.Colours(RGB(100, 70, 160), RGB(238, 228, 255));
  c.Circle(50, 36, 8);
}

void Tick(Canvas& c) {
  c.Gradient(RGB(255, 248, 210), RGB(250, 225, 140));
  c.Colours(RGB(40, 150, 70), RGB(60, 185, 90));
  c.Circle(50, 36, 26);
  c.Stroke({{38, 37}, {47, 47}, {64, 26}}, RGB(255, 255, 255), 6);
}

}  // namespace

void DrawWelcomePicture(HDC dc, const RECT& box, int index) {
  Canvas canvas(dc, box);
  switch (index) {
    case 0: Printer(canvas); break;
    case 1: Page(canvas); break;
    case 2: Computer(canvas); break;
    case 3: Gear(canvas); break;
    default: Tick(canvas); break;
  }
}

}  // namespace prn::ui
