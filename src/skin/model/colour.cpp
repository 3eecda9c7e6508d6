#include "skin/model/colour.h"

#include <algorithm>
#include <array>

#include "runtime/seam.h"
#include "skin/model/skin_platform.h"

namespace tw {

TColor ColorToRGB(TColor colour) {
  if (colour >= 0)
    return colour;
  const int slot = static_cast<int>(static_cast<std::uint32_t>(colour) & 0xFF);
  return Seam<SkinPlatform>::Get().SystemColour(static_cast<SysColour>(slot)) & 0xFFFFFF;
}

TColor ColourFromText(std::string_view text) {
  std::array<std::uint32_t, 3> channel{};
  std::size_t found = 0;
  bool inDigits = false;
  for (const char ch : text) {
    if (ch >= '0' && ch <= '9') {
      if (!inDigits) {
        inDigits = true;
        ++found;
      }
      if (found <= channel.size()) {
        // Absurdly long numbers saturate instead of overflowing.
        std::uint32_t& v = channel[found - 1];
        v = std::min<std::uint32_t>(v * 10 + static_cast<std::uint32_t>(ch - '0'), 0x00FFFFFF);
      }
    } else {
      inDigits = false;
    }
  }
  const std::uint32_t value = channel[0] + channel[1] * 256u + channel[2] * 65536u;
  return static_cast<TColor>(value);
}

TColor MixColour(TColor c1, TColor c2, int weight) {
  const TColor a = ColorToRGB(c1);
  const TColor b = ColorToRGB(c2);
  const int d = weight < 100 ? 100 : 1000;
  auto mix = [&](int x, int y) { return (x * weight + y * (d - weight) + d / 2) / d; };
  return MakeColour(mix(ColourRed(a), ColourRed(b)), mix(ColourGreen(a), ColourGreen(b)),
                    mix(ColourBlue(a), ColourBlue(b)));
}

} // namespace tw
