#pragma once
// Windows colour values as the skin stores them (red + green * 256 + blue * 65536) and the
// colour arithmetic of skin loading.

#include <cstdint>
#include <optional>
#include <string_view>

#include "skin/model/bitmap.h"

namespace tw {

using TColor = std::int32_t;

inline constexpr TColor kBlack = 0x000000;
inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kGrey = 0x808080;

// System colour slots, numbered as the platform numbers them.
enum class SysColour : int {
  ScrollBar = 0,
  Menu = 4,
  Window = 5,
  MenuText = 7,
  WindowText = 8,
  CaptionText = 9,
  Highlight = 13,
  HighlightText = 14,
  BtnFace = 15,
  BtnShadow = 16,
  BtnText = 18,
  InactiveCaptionText = 19,
  BtnHighlight = 20,
  DkShadow3D = 21,
};

// A colour value that refers to a system colour slot instead of naming red, green and blue.
constexpr TColor SystemColourReference(SysColour slot) {
  return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(slot));
}

constexpr TColor MakeColour(int red, int green, int blue) {
  return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr int ColourRed(TColor c) {
  return c & 0xFF;
}
constexpr int ColourGreen(TColor c) {
  return (c >> 8) & 0xFF;
}
constexpr int ColourBlue(TColor c) {
  return (c >> 16) & 0xFF;
}

constexpr Pixel ColourToPixel(TColor c) {
  return MakePixel(ColourRed(c), ColourGreen(c), ColourBlue(c));
}
constexpr TColor PixelToColour(Pixel p) {
  return MakeColour(PixelRed(p), PixelGreen(p), PixelBlue(p));
}

// The skin's colour text: the digit runs, in order, are red, green and blue; missing numbers
// are 0, so text without digits is black.
TColor ColourFromText(std::string_view text);

// A control's Color property as the form data writes it: a colour identifier ("clBtnFace",
// "clWhite"; system colours become references to their slots) or a number, decimal or
// hexadecimal after "$". Nothing for other text.
std::optional<TColor> ColourFromProperty(std::string_view text);

} // namespace tw
