#pragma once
// Menu tests: a text renderer with a fixed advance that marks where it draws.

#include <string>
#include <vector>

#include "skin/paint/menu_text.h"

namespace tw::test {

// Every visible character is 6 pixels wide. Drawing fills the rectangle's centre pixel with the
// colour and records the call.
class FixedMenuText : public MenuTextRenderer {
public:
  struct Call {
    Rect rect;
    std::u16string text;
    TColor colour;
    MenuTextAlign align;
  };
  int Width(std::u16string_view text) const override {
    return 6 * static_cast<int>(StripAccelerator(text).size());
  }
  void Draw(Bitmap32& target, Rect rect, std::u16string_view text, TColor colour,
            MenuTextAlign align) const override {
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    if (target.Contains(x, y))
      target.Set(x, y, ColourToPixel(colour));
    calls.push_back({rect, std::u16string(text), colour, align});
  }
  mutable std::vector<Call> calls;
};

} // namespace tw::test
