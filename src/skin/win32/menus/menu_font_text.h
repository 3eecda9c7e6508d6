#pragma once
// Menu text in the system's menu font, for the portable menu painters (bar and popup items):
// "&" marks the accelerator, is underlined and takes no room.

#include <windows.h>

#include <string_view>

#include "runtime/win32/gdi.h"
#include "skin/paint/menu_text.h"

namespace tw::win {

class MenuFontText final : public MenuTextRenderer {
public:
  MenuFontText();
  int Width(std::u16string_view text) const override;
  int Height() const { return height_; }
  void Draw(Bitmap32& target, Rect rect, std::u16string_view text, TColor colour,
            MenuTextAlign align) const override;

private:
  Font font_;
  int height_ = 0;
};

} // namespace tw::win
