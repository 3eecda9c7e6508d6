#include "skin/win32/members/gdi_text_painter.h"

#include <algorithm>
#include <string>

#include "skin/model/system_colour.h"
#include "runtime/win32/wide_text.h"
#include "skin/win32/engine/gdi_bridge.h"

namespace tw::win {
namespace {

UINT Flags(TextWrap wrap) {
  return DT_NOPREFIX | (wrap == TextWrap::WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
}

} // namespace

TextSize GdiTextPainter::Measure(std::string_view text, int maxWidth, TextWrap wrap) const {
  const std::wstring wide = WideFromAnsi(text);
  ScreenDc screen;
  SelectGuard select(screen.Get(), font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  RECT box{0, 0, std::max(maxWidth, 1), 0};
  if (wide.empty()) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return {0, metrics.tmHeight};
  }
  DrawTextW(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &box,
            Flags(wrap) | DT_CALCRECT);
  return {box.right - box.left, box.bottom - box.top};
}

void GdiTextPainter::Draw(Bitmap32& target, Rect rect, std::string_view text, TColor colour,
                          const TextFormat& format) {
  TextStyle style;
  style.font = font_;
  style.colour = static_cast<COLORREF>(ColorToRGB(colour));
  style.format =
      Flags(format.wrap) |
      (format.align == TextAlign::Centre ? DT_CENTER
                                         : (format.align == TextAlign::Right ? DT_RIGHT : DT_LEFT));
  style.rightToLeft = format.order == ReadingOrder::RightToLeft;
  DrawTextOnto(target, rect, WideFromAnsi(text), style);
}

} // namespace tw::win
