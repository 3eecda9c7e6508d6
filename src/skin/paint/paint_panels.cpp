#include "skin/paint/paint_panels.h"

#include <algorithm>

#include "skin/model/raster.h"

namespace tw {

namespace {

void Outline(Bitmap32& target, Rect r, Pixel colour) {
  if (r.Empty())
    return;
  FillRect(target, {r.left, r.top, r.right, r.top + 1}, colour);
  FillRect(target, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
  FillRect(target, {r.left, r.top, r.left + 1, r.bottom}, colour);
  FillRect(target, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

bool Usable(const TDataSkinObject* element) {
  return element != nullptr && !element->Bitmap.Empty();
}

// One line of text, left-aligned inside the rectangle less `inset` on each side and centred
// vertically.
void DrawLine(Bitmap32& target, TextPainter& text, Rect area, int inset, const std::string& line,
              TColor colour) {
  const Rect inner = Inflate(area, -inset, 0);
  const TextSize size = text.Measure(line, inner.Width(), TextWrap::SingleLine);
  const int top = inner.top + (inner.Height() - size.height) / 2;
  text.Draw(target, {inner.left, top, inner.right, top + size.height}, line, colour, {});
}

} // namespace

HasBorder EditHasBorder(Rect window, int clientWidth, int clientHeight) {
  return window.Width() > clientWidth || window.Height() > clientHeight ? HasBorder::Yes
                                                                        : HasBorder::No;
}

Painted ComposeEditFrame(Bitmap32& window, const SkinModel& skin, HasBorder border) {
  if (border == HasBorder::No)
    return Painted::StandardLook;
  const Rect r = window.Bounds();
  Outline(window, r, ColourToPixel(skin.Colour(SkinColour::ButtonShadow)));
  Outline(window, Inflate(r, -1, -1), ColourToPixel(kWhite));
  Outline(window, Inflate(r, -2, -2), ColourToPixel(kWhite));
  return Painted::Skin;
}

void ComposeBox(Bitmap32& target, const SkinModel& skin) {
  FillRect(target, target.Bounds(), ColourToPixel(skin.ButtonFaceBrush));
}

GroupBoxLayout LayOutGroupBox(Rect client, TextSize caption, int leftShift) {
  GroupBoxLayout layout;
  layout.frame = {client.left, client.top + caption.height / 2, client.right, client.bottom};
  const int x = client.left + 8 + leftShift;
  const int width = std::min(caption.width, std::max(client.right - 8 - x, 0));
  layout.caption = Rect::FromSize(x, client.top, width, caption.height);
  layout.captionBack = caption.width > 0 ? Inflate(layout.caption, 2, 0) : Rect{};
  return layout;
}

Painted ComposeGroupBox(Bitmap32& target, const SkinModel& skin, const GroupBoxPaint& paint,
                        TextPainter& text) {
  const auto* box = static_cast<const TDataSkinBoxLabel*>(skin.Element(SkinElement::GroupBox));
  if (!Usable(box))
    return Painted::StandardLook;
  ComposeBox(target, skin);
  const TextSize size = paint.caption.empty()
                            ? TextSize{}
                            : text.Measure(paint.caption, target.Width(), TextWrap::SingleLine);
  const GroupBoxLayout layout = LayOutGroupBox(target.Bounds(), size, box->BackgroundLeftShift);
  box->Draw(target, layout.frame, 1);
  if (paint.caption.empty())
    return Painted::Skin;
  const bool disabled = paint.enabled == ControlEnabled::Disabled;
  if (const TDataSkinObject* edge = skin.Element(SkinElement::GroupBoxEdge); Usable(edge))
    edge->Draw(target, layout.captionBack, disabled ? 2 : 1);
  else
    FillRect(target, layout.captionBack, ColourToPixel(skin.ButtonFaceBrush));
  text.Draw(target, layout.caption, paint.caption,
            disabled ? DisabledTextColour() : paint.fontColour, {});
  return Painted::Skin;
}

int HeaderSectionFrame(SectionState state, int frameCount) {
  const int frame = state == SectionState::Pressed ? 3 : state == SectionState::Hovered ? 2 : 1;
  return std::min(frame, std::max(frameCount, 1));
}

Painted ComposeHeader(Bitmap32& target, const SkinModel& skin, const HeaderPaint& paint,
                      TextPainter& text) {
  const TDataSkinObject* bar = skin.Element(SkinElement::Headerbar);
  if (!Usable(bar))
    return Painted::StandardLook;
  ComposeBox(target, skin);
  int end = 0;
  for (const HeaderSection& section : paint.sections)
    end = std::max(end, section.rect.right);
  if (end < target.Width())
    bar->Draw(target, {end, 0, target.Width(), target.Height()}, 1);
  for (const HeaderSection& section : paint.sections) {
    bar->Draw(target, section.rect, HeaderSectionFrame(section.state, bar->FrameCount));
    DrawLine(target, text, section.rect, 4, section.text, paint.fontColour);
  }
  return Painted::Skin;
}

Painted ComposeStatusBar(Bitmap32& target, const SkinModel& skin, const StatusBarPaint& paint,
                         TextPainter& text) {
  const TDataSkinObject* edges = skin.Element(SkinElement::StatusBarEdges);
  if (!Usable(edges))
    return Painted::StandardLook;
  ComposeBox(target, skin);
  edges->Draw(target, target.Bounds(), 1);
  for (const StatusPanel& panel : paint.panels) {
    edges->Draw(target, panel.rect, 2);
    DrawLine(target, text, panel.rect, 4, panel.text, paint.fontColour);
  }
  if (paint.grip == SizeGrip::Shown) {
    // The grip's picture keeps its size and lets the bar show through its magenta.
    const int size = std::min(target.Height(), target.Width());
    DrawFrameCentred(target,
                     Rect::FromSize(target.Width() - size, target.Height() - size, size, size),
                     edges->Bitmap, edges->FrameCount, 3, Transparency::Magenta);
  }
  return Painted::Skin;
}

int TrackBarThumbFrame(ThumbState thumb, ControlEnabled enabled, ControlFocus focus) {
  if (enabled == ControlEnabled::Disabled)
    return 4;
  if (thumb == ThumbState::Pressed)
    return 3;
  if (thumb == ThumbState::Hovered)
    return 2;
  return focus == ControlFocus::Focused ? 5 : 1;
}

Painted ComposeTrackBar(Bitmap32& target, const SkinModel& skin, const TrackBarPaint& paint) {
  const bool vertical = paint.orientation == BarOrientation::Vertical;
  const TDataSkinObject* channel =
      skin.Element(vertical ? SkinElement::TrackVert : SkinElement::Track);
  const TDataSkinObject* thumb =
      skin.Element(vertical ? SkinElement::TrackbarThumbVert : SkinElement::TrackbarThumbHorz);
  if (!Usable(channel) || !Usable(thumb))
    return Painted::StandardLook;
  ComposeBox(target, skin);
  channel->Draw(target, paint.channel, 1);
  thumb->Draw(target, paint.thumb,
              TrackBarThumbFrame(paint.thumbState, paint.enabled, paint.focus));
  return Painted::Skin;
}

int UpDownFrame(UpDownPart part, UpDownPart hot, UpDownPart pressed, ControlEnabled enabled) {
  const int base = part == UpDownPart::Second ? 5 : 1;
  if (enabled == ControlEnabled::Disabled)
    return base + 3;
  if (pressed == part)
    return base + 2;
  if (hot == part)
    return base + 1;
  return base;
}

std::pair<Rect, Rect> UpDownHalves(Rect client, BarOrientation orientation) {
  if (orientation == BarOrientation::Vertical) {
    const int middle = client.top + client.Height() / 2;
    return {{client.left, client.top, client.right, middle},
            {client.left, middle, client.right, client.bottom}};
  }
  const int middle = client.left + client.Width() / 2;
  return {{client.left, client.top, middle, client.bottom},
          {middle, client.top, client.right, client.bottom}};
}

Painted ComposeUpDown(Bitmap32& target, const SkinModel& skin, const UpDownPaint& paint) {
  const bool vertical = paint.orientation == BarOrientation::Vertical;
  const auto* element = static_cast<const TDataSkinBorder*>(
      skin.Element(vertical ? SkinElement::UpDownVert : SkinElement::UpDownHorz));
  if (!Usable(element))
    return Painted::StandardLook;
  ComposeBox(target, skin);
  const auto [first, second] = UpDownHalves(target.Bounds(), paint.orientation);
  const std::pair<UpDownPart, Rect> halves[] = {{UpDownPart::First, first},
                                                {UpDownPart::Second, second}};
  for (const auto& [part, rect] : halves) {
    element->Draw(target, rect, UpDownFrame(part, paint.hot, paint.pressed, paint.enabled));
    if (!element->Bitmap2.Empty())
      DrawFrameCentred(target, rect, element->Bitmap2, 2, part == UpDownPart::First ? 1 : 2,
                       Transparency::Magenta);
  }
  return Painted::Skin;
}

void ComposeSizer(Bitmap32& target, const SkinModel& skin) {
  ComposeBox(target, skin);
  const Pixel light = ColourToPixel(skin.Colour(SkinColour::ButtonHilight));
  const Pixel dark = ColourToPixel(skin.Colour(SkinColour::ButtonShadow));
  const int w = target.Width();
  const int h = target.Height();
  // Ridges at distances 3, 7 and 11 from the corner: a light line with two dark ones below it.
  for (int ridge = 0; ridge < 3; ++ridge) {
    const int d = 3 + 4 * ridge;
    for (int i = 0; i <= d; ++i) {
      const int x = w - 1 - i;
      const int y = h - 1 - (d - i);
      if (target.Contains(x, y))
        target.Set(x, y, light);
      for (const int below : {1, 2})
        if (target.Contains(x, y + below) && y + below < h)
          target.Set(x, y + below, dark);
    }
  }
}

} // namespace tw
