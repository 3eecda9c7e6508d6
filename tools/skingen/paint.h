#pragma once
// Small drawing helpers for authoring skin art from code: solid and gradient fills, 1-px
// outlines with clipped corners, lines and pixel-pattern glyphs.

#include <string_view>

#include "skin/model/bitmap.h"

namespace tw::skingen {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  constexpr Pixel ToPixel() const { return MakePixel(r, g, b); }
};

constexpr Rgb Blend(Rgb a, Rgb b, int percentOfB) {
  return {a.r + (b.r - a.r) * percentOfB / 100, a.g + (b.g - a.g) * percentOfB / 100,
          a.b + (b.b - a.b) * percentOfB / 100};
}

class Canvas {
public:
  explicit Canvas(Bitmap32& target) : bitmap_(target) {}

  void Plot(int x, int y, Rgb c);
  void Fill(Rect area, Rgb c);
  void FillMagenta(Rect area);
  // Top-to-bottom gradient over the area.
  void VerticalGradient(Rect area, Rgb top, Rgb bottom);
  void HorizontalLine(int x0, int x1, int y, Rgb c); // x1 exclusive
  void VerticalLine(int x, int y0, int y1, Rgb c);   // y1 exclusive
  // 1-px outline; with rounded set the four corner pixels are left out.
  void Outline(Rect area, Rgb c, bool rounded = false);
  // Clears the corner pixels of a rounded box to magenta (radius 1 or 2).
  void RoundCorners(Rect area, int radius);
  // A glyph drawn from rows of '#' (ink) and '.' (untouched), top-left at (x, y).
  void Glyph(int x, int y, std::string_view rows, Rgb c);

  Bitmap32& Target() { return bitmap_; }

private:
  Bitmap32& bitmap_;
};

} // namespace tw::skingen
