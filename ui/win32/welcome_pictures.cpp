#include "ui/win32/welcome_pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/win32/gdi_owners.h"

namespace prn::ui {

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
