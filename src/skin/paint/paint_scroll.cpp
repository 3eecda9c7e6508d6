#include "skin/paint/paint_scroll.h"

#include <algorithm>
#include <cstdlib>

#include "skin/model/raster.h"

namespace tw {

namespace {

// A span along the bar, [from, to), as a rectangle of the bar's thickness.
Rect Span(BarOrientation orientation, int from, int to, int thickness) {
  if (to <= from)
    return {};
  return orientation == BarOrientation::Horizontal ? Rect{from, 0, to, thickness}
                                                   : Rect{0, from, thickness, to};
}

} // namespace

int ScrollArrowSize(int bitmapHeight, int barThickness) {
  return std::abs(barThickness - bitmapHeight) > 2 ? barThickness : bitmapHeight;
}

ScrollBarParts ScrollBarGeometry(const ScrollBarInfo& info, BarOrientation orientation,
                                 int arrowSize) {
  const bool horizontal = orientation == BarOrientation::Horizontal;
  const int length = horizontal ? info.bar.Width() : info.bar.Height();
  const int thickness = horizontal ? info.bar.Height() : info.bar.Width();
  ScrollBarParts parts;
  if (length <= 0 || thickness <= 0)
    return parts;
  if (length < 2 * arrowSize) {
    const int half = length / 2;
    parts.firstArrow = Span(orientation, 0, half, thickness);
    parts.secondArrow = Span(orientation, length - half, length, thickness);
    return parts;
  }
  const int trackFrom = arrowSize;
  const int trackTo = length - arrowSize;
  parts.firstArrow = Span(orientation, 0, arrowSize, thickness);
  parts.secondArrow = Span(orientation, trackTo, length, thickness);
  parts.track = Span(orientation, trackFrom, trackTo, thickness);
  const int thumbFrom = std::clamp(info.thumbTop, trackFrom, trackTo);
  const int thumbTo = std::clamp(info.thumbBottom, thumbFrom, trackTo);
  parts.thumb = Span(orientation, thumbFrom, thumbTo, thickness);
  if (parts.thumb.Empty()) {
    parts.trackBefore = parts.track;
    return parts;
  }
  parts.trackBefore = Span(orientation, trackFrom, thumbFrom, thickness);
  parts.trackAfter = Span(orientation, thumbTo, trackTo, thickness);
  return parts;
}

int ScrollPartAt(const ScrollBarParts& parts, int x, int y) {
  if (Contains(parts.firstArrow, x, y))
    return kPartFirstArrow;
  if (Contains(parts.secondArrow, x, y))
    return kPartSecondArrow;
  if (Contains(parts.thumb, x, y))
    return kPartThumb;
  if (Contains(parts.trackBefore, x, y))
    return kPartTrackBefore;
  if (Contains(parts.trackAfter, x, y))
    return kPartTrackAfter;
  return kPartNone;
}

int ScrollArrowFrame(BarOrientation orientation, int arrow, PartHighlight highlight) {
  const int base =
      (orientation == BarOrientation::Horizontal ? 1 : 9) + (arrow == kPartSecondArrow ? 4 : 0);
  switch (highlight) {
  case PartHighlight::Hovered:
    return base + 3;
  case PartHighlight::Pressed:
    return base + 1;
  case PartHighlight::Normal:
    break;
  }
  return base;
}

int ScrollGripFrame(BarOrientation orientation, PartHighlight highlight) {
  const int base = orientation == BarOrientation::Horizontal ? 17 : 20;
  switch (highlight) {
  case PartHighlight::Pressed:
    return base + 1;
  case PartHighlight::Hovered:
    return base + 2;
  case PartHighlight::Normal:
    break;
  }
  return base;
}

int ScrollThumbFrame(PartHighlight highlight) {
  switch (highlight) {
  case PartHighlight::Pressed:
    return 2;
  case PartHighlight::Hovered:
    return 3;
  case PartHighlight::Normal:
    break;
  }
  return 1;
}

int ScrollTrackFrame(ControlEnabled enabled) {
  return enabled == ControlEnabled::Enabled ? 1 : 3;
}

PartHighlight HighlightOf(int part, int hotPart, ButtonHeld held) {
  if (part != hotPart || hotPart == kPartNone)
    return PartHighlight::Normal;
  return held == ButtonHeld::Down ? PartHighlight::Pressed : PartHighlight::Hovered;
}

std::optional<Rect> OverlayPlacement(ControlVisibility control, const ScrollBarInfo& info,
                                     int parentOriginX, int parentOriginY) {
  if (control == ControlVisibility::Hidden || info.visibility == BarVisibility::Hidden ||
      info.bar.Empty())
    return std::nullopt;
  return Offset(info.bar, -parentOriginX, -parentOriginY);
}

ForwardedClick ForwardOverlayClick(ScrollBarKind kind, int x, int y, int overlayX, int overlayY,
                                   int controlX, int controlY) {
  const int screenX = overlayX + x;
  const int screenY = overlayY + y;
  switch (kind) {
  case ScrollBarKind::Horizontal:
    return {ForwardedAs::NonClient, kHitHScroll, screenX, screenY};
  case ScrollBarKind::Vertical:
    return {ForwardedAs::NonClient, kHitVScroll, screenX, screenY};
  case ScrollBarKind::StandAlone:
    break;
  }
  return {ForwardedAs::Client, 0, screenX - controlX, screenY - controlY};
}

Painted ComposeScrollBar(Bitmap32& target, const SkinModel& skin, const ScrollBarPaint& paint) {
  const TDataSkinObject* strip = skin.Element(SkinElement::Scrollbar);
  if (strip == nullptr || strip->Bitmap.Empty() || paint.info.visibility == BarVisibility::Hidden)
    return Painted::StandardLook;
  const bool horizontal = paint.orientation == BarOrientation::Horizontal;
  const int thickness = horizontal ? target.Height() : target.Width();
  const int arrowSize = ScrollArrowSize(strip->Bitmap.Height(), thickness);
  ScrollBarInfo info = paint.info;
  info.bar = Rect::FromSize(0, 0, target.Width(), target.Height());
  const ScrollBarParts parts = ScrollBarGeometry(info, paint.orientation, arrowSize);
  const Transparency trans = strip->ElementTransparency();

  FillRect(target, target.Bounds(), ColourToPixel(skin.ButtonFaceBrush));
  if (const TDataSkinObject* track =
          skin.Element(horizontal ? SkinElement::HorzScroll : SkinElement::VertScroll);
      track != nullptr && !track->Bitmap.Empty() && !parts.track.Empty())
    track->Draw(target, parts.track, ScrollTrackFrame(info.enabled));

  for (const int arrow : {kPartFirstArrow, kPartSecondArrow}) {
    const Rect rect = arrow == kPartFirstArrow ? parts.firstArrow : parts.secondArrow;
    const int frame =
        ScrollArrowFrame(paint.orientation, arrow, HighlightOf(arrow, paint.hotPart, paint.held));
    DrawFrameStretched(target, rect, strip->Bitmap, strip->FrameCount, frame, trans);
  }

  if (info.enabled == ControlEnabled::Disabled || parts.thumb.Empty())
    return Painted::Skin;
  const PartHighlight thumbLight = HighlightOf(kPartThumb, paint.hotPart, paint.held);
  if (const TDataSkinObject* thumb =
          skin.Element(horizontal ? SkinElement::HorzScrollThumb : SkinElement::VertScrollThumb);
      thumb != nullptr && !thumb->Bitmap.Empty())
    thumb->Draw(target, parts.thumb, ScrollThumbFrame(thumbLight));
  const Rect grip = FrameCell(strip->Bitmap, StripOrientation::Horizontal, strip->FrameCount, 1);
  const int thumbLength = horizontal ? parts.thumb.Width() : parts.thumb.Height();
  const int gripLength = horizontal ? grip.Width() : grip.Height();
  if (thumbLength > gripLength)
    DrawFrameCentred(target, parts.thumb, strip->Bitmap, strip->FrameCount,
                     ScrollGripFrame(paint.orientation, thumbLight), trans);
  return Painted::Skin;
}

} // namespace tw
