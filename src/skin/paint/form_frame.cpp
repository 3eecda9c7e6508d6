#include "skin/paint/form_frame.h"

#include <algorithm>

#include "skin/model/system_colour.h"

namespace tw {

namespace {

// A border element over a width x height area, frame by activity, opaque.
Bitmap32 RenderBorder(const TDataSkinBorder& border, int width, int height, Activity activity,
                      StripOrientation orientation) {
  if (border.Bitmap.Empty() || width <= 0 || height <= 0)
    return Bitmap32(std::max(width, 0), std::max(height, 0));
  NineSlice slice;
  slice.width = width;
  slice.height = height;
  slice.margins = border.ElementMargins();
  slice.centre = border.Tile == 1 ? CentreFill::Stretch : CentreFill::Tile;
  slice.orientation = orientation;
  slice.frameCount = std::max(border.FrameCount, 1);
  slice.frame = BorderFrame(activity, border.FrameCount);
  return RenderNineSlice(border.Bitmap, slice);
}

Bitmap32 SideStrip(const FrameImageInput& in, BorderSide side) {
  const int width = side == BorderSide::Left ? in.geometry.left : in.geometry.right;
  return RenderBorder(in.skin->Border(side), width, in.height, in.facts.activity,
                      StripOrientation::Horizontal);
}

bool FramePainted(const FrameImageInput& in) {
  return in.facts.border != BorderStyle::None &&
         !(in.facts.role == MdiRole::Child && in.facts.state == WindowState::Maximized);
}

} // namespace

void DrawCaptionButton(Bitmap32& target, const TDataSkinSysButton& button,
                       const CaptionButtonPlacement& placement, Activity activity,
                       const Bitmap32& icon) {
  if (!placement.visible)
    return;
  if ((button.Action == 3 || button.Action == 11) && !icon.Empty()) {
    DrawFrameCentred(target, placement.rect, icon, 1, 1, Transparency::Magenta);
    return;
  }
  if (button.Bitmap.Empty())
    return;
  const int frame = CaptionButtonFrame(button, placement.state, placement.enabled, activity);
  DrawFrameStretched(target, placement.rect, button.Bitmap, std::max(button.FrameCount, 1), frame,
                     Transparency::Magenta);
}

Bitmap32 ComposeCaption(const FrameImageInput& in, const CaptionTextPainter& drawText) {
  const int width = in.width;
  const int caption = in.geometry.caption;
  if (in.skin == nullptr || width <= 0 || caption <= 0)
    return {};
  const SkinModel& skin = *in.skin;
  const Activity activity = in.facts.activity;
  Bitmap32 out(width, caption, ColourToPixel(ColorToRGB(skin.ButtonFaceBrush)));
  const TDataSkinBorder& top = skin.Border(BorderSide::Top);
  if (in.facts.state == WindowState::Minimized) {
    CopyRect(out, 0, 0, RenderBorder(top, width, caption, activity, StripOrientation::Vertical),
             Rect{0, 0, width, caption});
  } else {
    const Bitmap32 left = SideStrip(in, BorderSide::Left);
    const Bitmap32 right = SideStrip(in, BorderSide::Right);
    CopyRect(out, 0, 0, left, Rect{0, 0, left.Width(), caption});
    CopyRect(out, width - in.geometry.right, 0, right, Rect{0, 0, right.Width(), caption});
    const int topWidth = width - in.geometry.left - in.geometry.right;
    CopyRect(out, in.geometry.left, 0,
             RenderBorder(top, topWidth, caption, activity, StripOrientation::Vertical),
             Rect{0, 0, std::max(topWidth, 0), caption});
  }
  if (in.layout == nullptr)
    return out;

  const TDataSkinTitle& title = skin.Title;
  if (!title.Bitmap.Empty()) {
    ThreeSlice slice;
    slice.left = title.TXTBackleft;
    slice.right = title.TXTBackRight;
    slice.orientation = StripOrientation::Vertical;
    slice.frameCount = 2;
    slice.frame = activity == Activity::Active ? 1 : 2;
    DrawThreeSlice(out, in.layout->text.back, title.Bitmap, slice, Transparency::Magenta);
  }
  if (drawText && !in.layout->text.text.Empty()) {
    const TColor colour = skin.Colour(activity == Activity::Active ? SkinColour::TitleTextActive
                                                                   : SkinColour::TitleTextNoActive);
    drawText(out, in.layout->text.text, in.caption, colour,
             in.facts.rightToLeft ? TextDirection::RightToLeft : TextDirection::LeftToRight);
  }
  static const Bitmap32 kNoIcon;
  const Bitmap32& icon = in.icon != nullptr ? *in.icon : kNoIcon;
  for (const CaptionButtonPlacement& p : in.layout->buttons)
    if (p.index >= 0 && static_cast<std::size_t>(p.index) < in.buttons.size())
      DrawCaptionButton(out, in.buttons[static_cast<std::size_t>(p.index)], p, activity, icon);
  return out;
}

FramePieces ComposeFrame(const FrameImageInput& in, const CaptionTextPainter& drawText) {
  FramePieces pieces;
  if (in.skin == nullptr || !FramePainted(in))
    return pieces;
  const FormGeometry& g = in.geometry;
  pieces.caption = {ComposeCaption(in, drawText), {0, 0}};
  if (in.facts.state == WindowState::Minimized)
    return pieces;
  pieces.left = {SideStrip(in, BorderSide::Left), {0, 0}};
  pieces.right = {SideStrip(in, BorderSide::Right), {in.width - g.right, 0}};
  const int middle = in.width - g.left - g.right;
  pieces.bottom = {RenderBorder(in.skin->Border(BorderSide::Bottom), middle, g.bottom,
                                in.facts.activity, StripOrientation::Vertical),
                   {g.left, in.height - g.bottom}};
  const int strip = g.menuBar + g.mdiExtraTop;
  if (strip > 0 && middle > 0)
    pieces.menuBar = {Bitmap32(middle, strip, ColourToPixel(ColorToRGB(in.skin->ButtonFaceBrush))),
                      {g.left, g.caption}};
  return pieces;
}

Bitmap32 FlattenFrame(const FramePieces& pieces, int width, int height, Pixel clientFill) {
  Bitmap32 out(width, height, clientFill);
  for (const FramePiece* piece :
       {&pieces.left, &pieces.right, &pieces.bottom, &pieces.menuBar, &pieces.caption})
    if (!piece->image.Empty())
      CopyRect(out, piece->at.x, piece->at.y, piece->image, piece->image.Bounds());
  return out;
}

} // namespace tw
