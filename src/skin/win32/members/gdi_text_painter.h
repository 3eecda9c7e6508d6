#pragma once
// The painters' text drawn with a control's real font: measured with DrawText, drawn onto the
// composed bitmap through a DIB section. Texts are in the program's ANSI code page.

#include <windows.h>

#include "skin/paint/paint_text.h"

namespace tw::win {

class GdiTextPainter final : public TextPainter {
public:
  explicit GdiTextPainter(HFONT font) : font_(font) {}
  TextSize Measure(std::string_view text, int maxWidth, TextWrap wrap) const override;
  void Draw(Bitmap32& target, Rect rect, std::string_view text, TColor colour,
            const TextFormat& format) override;

private:
  HFONT font_;
};

} // namespace tw::win
