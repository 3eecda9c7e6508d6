#include "skin/model/colour.h"

#include <algorithm>
#include <array>

namespace tw {

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

} // namespace tw
