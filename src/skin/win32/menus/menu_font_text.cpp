#include "skin/win32/menus/menu_font_text.h"

#include <string>

#include "skin/win32/engine/gdi_bridge.h"

namespace tw::win {
namespace {

std::wstring Wide(std::u16string_view text) {
  return {text.begin(), text.end()};
}

UINT AlignFlag(MenuTextAlign align) {
  switch (align) {
  case MenuTextAlign::Centre:
    return DT_CENTER;
  case MenuTextAlign::Right:
    return DT_RIGHT;
  case MenuTextAlign::Left:
    break;
  }
  return DT_LEFT;
}

} // namespace

MenuFontText::MenuFontText() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    font_.Reset(CreateFontIndirectW(&metrics.lfMenuFont));
  ScreenDc screen;
  SelectGuard select(screen.Get(), font_ ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(screen.Get(), &tm);
  height_ = tm.tmHeight;
}

int MenuFontText::Width(std::u16string_view text) const {
  if (text.empty())
    return 0;
  const std::wstring wide = Wide(text);
  ScreenDc screen;
  SelectGuard select(screen.Get(), font_ ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
  RECT box{0, 0, 0, 0};
  // Without DT_NOPREFIX: "&" marks the accelerator and takes no room.
  DrawTextW(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &box,
            DT_SINGLELINE | DT_CALCRECT);
  return box.right - box.left;
}

void MenuFontText::Draw(Bitmap32& target, Rect rect, std::u16string_view text, TColor colour,
                        MenuTextAlign align) const {
  TextStyle style;
  style.font = font_.Get();
  style.colour = static_cast<COLORREF>(colour);
  style.format = DT_SINGLELINE | DT_VCENTER | AlignFlag(align);
  DrawTextOnto(target, rect, Wide(text), style);
}

} // namespace tw::win
