#pragma once
// A small proportional pixel font for the preview sheet's labels (5 x 9 cells, caps 7 high).

#include <string_view>

#include "skin/model/bitmap.h"

namespace tw::skinpreview {

inline constexpr int kFontHeight = 9;
inline constexpr int kFontAscent = 7;

int TextWidth(std::string_view text, bool bold = false);
// Draws the text with its cell top at (x, y); bold doubles each stroke one pixel to the right.
void DrawText(Bitmap32& target, int x, int y, std::string_view text, Pixel colour,
              bool bold = false);

} // namespace tw::skinpreview
