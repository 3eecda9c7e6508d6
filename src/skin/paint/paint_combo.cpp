#include "skin/paint/paint_combo.h"

#include "skin/model/raster.h"

namespace tw {

int ComboStateFrame(const ComboState& state) {
  if (state.enabled == ControlEnabled::Disabled)
    return 3;
  if (state.pressed == ComboPressed::Pressed)
    return 2;
  if (state.focus == ControlFocus::Focused || state.hover == ComboHover::Hovered)
    return 4;
  return 1;
}

Rect ComboButtonArea(Rect client, int arrowWidth, LayoutDirection direction) {
  if (direction == LayoutDirection::RightToLeft)
    return {client.left + 2, client.top + 2, client.left + 2 + arrowWidth, client.bottom - 2};
  return {client.right - 2 - arrowWidth, client.top + 2, client.right - 2, client.bottom - 2};
}

Rect ComboEditArea(Rect client, int arrowWidth, LayoutDirection direction) {
  const Rect button = ComboButtonArea(client, arrowWidth, direction);
  if (direction == LayoutDirection::RightToLeft)
    return {button.right, client.top + 2, client.right - 2, client.bottom - 2};
  return {client.left + 2, client.top + 2, button.left, client.bottom - 2};
}

Painted ComposeCombo(Bitmap32& target, const SkinModel& skin, const ComboPaint& paint) {
  const auto* button = skin.Element(SkinElement::ComboButton);
  if (button == nullptr || button->Bitmap.Empty() ||
      paint.reportedVisibility == ControlVisibility::Hidden)
    return Painted::StandardLook;
  const int frame = ComboStateFrame(paint.state);
  const Rect client = target.Bounds();
  const bool rtl = paint.direction == LayoutDirection::RightToLeft;
  const TDataSkinObject* sunk = skin.Element(SkinElement::SunkEdge);

  if (button->Style == 2) {
    // The mirrored strip lies in SunkEdge with its own margins; mirroring the whole strip
    // reversed its frames, so the state's frame is counted from the other end.
    const bool mirrored = rtl && sunk != nullptr && !sunk->Bitmap.Empty();
    const TDataSkinObject& strip = mirrored ? *sunk : *button;
    NineSlice slice;
    slice.margins = strip.ElementMargins();
    slice.frameCount = strip.FrameCount;
    slice.frame = mirrored ? strip.FrameCount + 1 - frame : frame;
    DrawNineSlice(target, client, strip.Bitmap, slice, Transparency::Magenta);
    return Painted::Skin;
  }

  const Rect buttonArea =
      paint.reportedButton.value_or(ComboButtonArea(client, paint.arrowWidth, paint.direction));
  if (sunk != nullptr && !sunk->Bitmap.Empty()) {
    // The edit area is left as the control painted it.
    const Rect edit = ComboEditArea(client, paint.arrowWidth, paint.direction);
    Bitmap32 kept(edit.Width(), edit.Height());
    CopyRect(kept, 0, 0, target, edit);
    sunk->Draw(target, client, frame);
    CopyRect(target, edit.left, edit.top, kept, kept.Bounds());
  }
  button->Draw(target, buttonArea, frame);
  if (const auto* extra = skin.Element(SkinElement::ExtraImages);
      extra != nullptr && !extra->Bitmap.Empty())
    DrawFrameCentred(target, buttonArea, extra->Bitmap, extra->FrameCount, frame,
                     extra->ElementTransparency());
  return Painted::Skin;
}

} // namespace tw
