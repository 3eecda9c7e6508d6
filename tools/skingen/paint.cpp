#include "paint.h"

namespace tw::skingen {

void Canvas::Plot(int x, int y, Rgb c) {
  if (bitmap_.Contains(x, y))
    bitmap_.Set(x, y, c.ToPixel());
}

void Canvas::Fill(Rect area, Rgb c) {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      Plot(x, y, c);
}

void Canvas::FillMagenta(Rect area) {
  Fill(area, {255, 0, 255});
}

void Canvas::VerticalGradient(Rect area, Rgb top, Rgb bottom) {
  const int h = area.Height();
  for (int y = area.top; y < area.bottom; ++y) {
    const int percent = h <= 1 ? 0 : (y - area.top) * 100 / (h - 1);
    HorizontalLine(area.left, area.right, y, Blend(top, bottom, percent));
  }
}

void Canvas::HorizontalLine(int x0, int x1, int y, Rgb c) {
  for (int x = x0; x < x1; ++x)
    Plot(x, y, c);
}

void Canvas::VerticalLine(int x, int y0, int y1, Rgb c) {
  for (int y = y0; y < y1; ++y)
    Plot(x, y, c);
}

void Canvas::Outline(Rect a, Rgb c, bool rounded) {
  const int inset = rounded ? 1 : 0;
  HorizontalLine(a.left + inset, a.right - inset, a.top, c);
  HorizontalLine(a.left + inset, a.right - inset, a.bottom - 1, c);
  VerticalLine(a.left, a.top + inset, a.bottom - inset, c);
  VerticalLine(a.right - 1, a.top + inset, a.bottom - inset, c);
}

void Canvas::RoundCorners(Rect a, int radius) {
  const Rgb magenta{255, 0, 255};
  auto corner = [&](int x, int y) { Plot(x, y, magenta); };
  corner(a.left, a.top);
  corner(a.right - 1, a.top);
  corner(a.left, a.bottom - 1);
  corner(a.right - 1, a.bottom - 1);
  if (radius >= 2) {
    corner(a.left + 1, a.top);
    corner(a.left, a.top + 1);
    corner(a.right - 2, a.top);
    corner(a.right - 1, a.top + 1);
    corner(a.left + 1, a.bottom - 1);
    corner(a.left, a.bottom - 2);
    corner(a.right - 2, a.bottom - 1);
    corner(a.right - 1, a.bottom - 2);
  }
}

void Canvas::Glyph(int x, int y, std::string_view rows, Rgb c) {
  int col = 0;
  int row = 0;
  for (const char ch : rows) {
    if (ch == '\n' || ch == '|') {
      ++row;
      col = 0;
      continue;
    }
    if (ch == '#')
      Plot(x + col, y + row, c);
    ++col;
  }
}

} // namespace tw::skingen
