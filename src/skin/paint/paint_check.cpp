#include "skin/paint/paint_check.h"

#include <algorithm>
#include <cctype>

#include "skin/model/raster.h"

namespace tw {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool IsTrue(const std::optional<std::string>& property) {
  return property && Lower(*property) == "true";
}

int Clamp(int frame, int frameCount) {
  return std::clamp(frame, 1, std::max(frameCount, 1));
}

} // namespace

int CheckBoxFrame(const CheckBoxState& state, int frameCount) {
  int frame = state.window == CheckState::Checked ? 2 : 1;
  if (state.stateProperty) {
    const std::string value = Lower(*state.stateProperty);
    if (value.find("uncheck") != std::string::npos)
      frame = 1;
    else if (value.find("check") != std::string::npos)
      frame = 2;
    else if (value.find("gray") != std::string::npos)
      frame = 4;
  } else if (state.checkedProperty) {
    frame = IsTrue(state.checkedProperty) ? 2 : 1;
  }
  if (state.dataAwareState)
    frame = *state.dataAwareState == 3 ? 4 : *state.dataAwareState;
  if (state.dataBinding == DataBinding::Bound)
    frame = 1;

  const bool disabled = state.enabled == ControlEnabled::Disabled;
  if (disabled)
    frame += 2;
  const bool indeterminate = state.window == CheckState::Indeterminate;
  if (indeterminate)
    frame = 4;

  if (frameCount == 12) {
    if (indeterminate)
      frame = disabled ? 12 : 9;
    else if (frame == 2)
      frame = 5;
    else if (frame == 3)
      frame = 4;
    else if (frame == 4)
      frame = 8;
  }
  return Clamp(frame, frameCount);
}

int RadioButtonFrame(const RadioButtonState& state, int frameCount) {
  int frame = state.window == CheckState::Checked || IsTrue(state.checkedProperty) ? 2 : 1;
  if (state.enabled == ControlEnabled::Disabled)
    frame += 2;
  if (frameCount == 8) {
    if (frame == 2)
      frame = 5;
    else if (frame == 3)
      frame = 4;
    else if (frame == 4)
      frame = 8;
  }
  return Clamp(frame, frameCount);
}

CheckLayout LayOutCheck(Rect client, int glyphWidth, int glyphHeight, GlyphSide side) {
  const int top = client.top + (client.Height() - glyphHeight) / 2;
  CheckLayout layout;
  if (side == GlyphSide::Left) {
    layout.glyph = Rect::FromSize(client.left, top, glyphWidth, glyphHeight);
    layout.caption = {layout.glyph.right + 2, client.top, client.right, client.bottom};
  } else {
    layout.glyph = Rect::FromSize(client.right - glyphWidth, top, glyphWidth, glyphHeight);
    layout.caption = {client.left, client.top, layout.glyph.left - 2, client.bottom};
  }
  return layout;
}

Painted ComposeCheck(Bitmap32& target, const SkinModel& skin, const CheckPaint& paint,
                     TextPainter& text) {
  const bool check = paint.kind == CheckKind::CheckBox;
  const Bitmap32& strip = check ? skin.Buttons.CheckBitmap : skin.Buttons.RadioBitmap;
  const int frames = std::max(check ? skin.Buttons.CheckFrame : skin.Buttons.RadioFrame, 1);
  if (strip.Empty())
    return Painted::StandardLook;
  FillBackground(target, skin, paint.background, paint.parentBackground);

  const Rect cell = FrameCell(strip, StripOrientation::Horizontal, frames, paint.frame);
  const CheckLayout layout = LayOutCheck(target.Bounds(), cell.Width(), cell.Height(), paint.side);
  Bitmap32 glyph(cell.Width(), cell.Height(), kMagenta);
  CopyRect(glyph, 0, 0, strip, cell);
  Blit(target, layout.glyph.left, layout.glyph.top, glyph, Transparency::Magenta);

  if (paint.caption.empty() || layout.caption.Empty())
    return Painted::Skin;
  const TextSize size = text.Measure(paint.caption, layout.caption.Width(), TextWrap::WordWrap);
  const Rect area = layout.caption;
  const int top = area.top + (area.Height() - size.height) / 2;
  const Rect textRect{area.left, top, area.right, top + size.height};
  const TColor colour =
      paint.enabled == ControlEnabled::Disabled ? DisabledTextColour() : paint.fontColour;
  text.Draw(target, textRect, paint.caption, colour,
            {TextWrap::WordWrap, TextAlign::Left, paint.order});
  if (paint.focus == ControlFocus::Focused) {
    const Rect around{area.left, top, area.left + std::min(size.width, area.Width()),
                      top + size.height};
    DrawFocusRect(target, IntersectRects(Inflate(around, 1, 1), target.Bounds()));
  }
  return Painted::Skin;
}

} // namespace tw
