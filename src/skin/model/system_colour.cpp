#include "skin/model/system_colour.h"

#include "runtime/seam.h"
#include "skin/model/skin_platform.h"

namespace tw {

TColor ColorToRGB(TColor colour) {
  if (colour >= 0)
    return colour;
  const int slot = static_cast<int>(static_cast<std::uint32_t>(colour) & 0xFF);
  return Seam<SkinPlatform>::Get().SystemColour(static_cast<SysColour>(slot)) & 0xFFFFFF;
}

TColor MixColour(TColor c1, TColor c2, int weight) {
  const TColor a = ColorToRGB(c1);
  const TColor b = ColorToRGB(c2);
  const int d = weight < 100 ? 100 : 1000;
  auto mix = [&](int x, int y) { return (x * weight + y * (d - weight) + d / 2) / d; };
  return MakeColour(mix(ColourRed(a), ColourRed(b)), mix(ColourGreen(a), ColourGreen(b)),
                    mix(ColourBlue(a), ColourBlue(b)));
}

Pixel SkinPixel(const SkinModel& skin, SkinColour slot) {
  return ColourToPixel(ColorToRGB(skin.Colour(slot)));
}

} // namespace tw
