#include "skin/paint/paint_tab.h"

#include "skin/model/raster.h"

namespace tw {

TabPosition TabPositionFromStyle(unsigned style) {
  const bool bottom = (style & kTabStyleBottom) != 0;
  if ((style & kTabStyleVertical) != 0)
    return bottom ? TabPosition::Right : TabPosition::Left;
  return bottom ? TabPosition::Bottom : TabPosition::Top;
}

TColor TabStripBackground(const std::optional<std::string>& parentColour, TColor buttonFace) {
  if (parentColour)
    if (const std::optional<TColor> colour = ColourFromProperty(*parentColour))
      return *colour;
  return buttonFace;
}

namespace {

// One pixel towards the strip's outer edge.
Rect TowardsStrip(Rect r, TabPosition position) {
  switch (position) {
  case TabPosition::Top:
    return Offset(r, 0, -1);
  case TabPosition::Bottom:
    return Offset(r, 0, 1);
  case TabPosition::Left:
    return Offset(r, -1, 0);
  case TabPosition::Right:
    return Offset(r, 1, 0);
  }
  return r;
}

bool Sideways(TabPosition position) {
  return position == TabPosition::Left || position == TabPosition::Right;
}

// A rectangle of the upright strip (width x height) in the coordinates of the strip painted
// lying down, before it is turned into place, and back.
Rect ToLying(Rect r, int width, int height, TabPosition position) {
  if (position == TabPosition::Left)
    return {height - r.bottom, r.left, height - r.top, r.right};
  return {r.top, width - r.right, r.bottom, width - r.left};
}
Rect FromLying(Rect r, int width, int height, TabPosition position) {
  if (position == TabPosition::Left)
    return {r.top, height - r.right, r.bottom, height - r.left};
  return {width - r.bottom, r.left, width - r.top, r.right};
}

void DrawCloseBox(Bitmap32& target, Rect box, TColor colour) {
  const Pixel ink = ColourToPixel(colour);
  for (int i = 0; i < box.Width(); ++i) {
    const int x = box.left + i;
    for (const int y : {box.top + i, box.bottom - 1 - i})
      if (target.Contains(x, y))
        target.Set(x, y, ink);
  }
}

} // namespace

Rect TabDisplayArea(Rect adjusted, TabPosition position) {
  return TowardsStrip(Inflate(adjusted, 4, 4), position);
}

Rect TabStripArea(Rect client, Rect display, TabPosition position) {
  switch (position) {
  case TabPosition::Top:
    return {client.left, client.top, client.right, display.top};
  case TabPosition::Bottom:
    return {client.left, display.bottom, client.right, client.bottom};
  case TabPosition::Left:
    return {client.left, client.top, display.left, client.bottom};
  case TabPosition::Right:
    return {display.right, client.top, client.right, client.bottom};
  }
  return client;
}

Rect TabDrawnRect(Rect reported, TabPosition position) {
  return TowardsStrip(reported, position);
}

int TabFrame(int index, int focusedIndex) {
  return index == focusedIndex ? 2 : 1;
}

TColor TabCaptionColour(const TDataSkinObject& tabs, int index, int focusedIndex) {
  return index == focusedIndex ? tabs.MouseOverColour2 : tabs.NormalColour2;
}

Rect TabCloseBox(Rect tab) {
  return Rect::FromSize(tab.right - 2 - 6, tab.top + 2, 6, 6);
}

Margins TabPaneMargins(const SkinModel& skin) {
  const TDataSkinObject* tabs = skin.Element(SkinElement::Tabs);
  const TDataSkinObject* pane = skin.Element(SkinElement::TabPane);
  if (tabs != nullptr && tabs->Style != 0 && pane != nullptr)
    return pane->ElementMargins();
  return {4, 5, 4, 4};
}

TabComposition ComposeTabs(Bitmap32& target, const SkinModel& skin, const TabPaint& paint,
                           TextPainter& text) {
  TabComposition result;
  const TDataSkinObject* tabs = skin.Element(SkinElement::Tabs);
  if (tabs == nullptr || tabs->Bitmap.Empty())
    return result;
  result.painted = Painted::Skin;

  // The display area, moved towards the strip, leaves a sliver on its far side: it shows the
  // background like the strip.
  const Rect client = target.Bounds();
  FillRect(target, client, ColourToPixel(paint.background));
  const Rect display = TabDisplayArea(paint.adjusted, paint.position);
  const Rect strip = IntersectRects(TabStripArea(client, display, paint.position), client);
  const bool sideways = Sideways(paint.position);

  if (!strip.Empty()) {
    Bitmap32 lying = sideways
                         ? Bitmap32(strip.Height(), strip.Width(), ColourToPixel(paint.background))
                         : Bitmap32(strip.Width(), strip.Height(), ColourToPixel(paint.background));
    for (std::size_t i = 0; i < paint.tabs.size(); ++i) {
      const int index = static_cast<int>(i);
      const Rect drawn =
          Offset(TabDrawnRect(paint.tabs[i].rect, paint.position), -strip.left, -strip.top);
      const Rect tab =
          sideways ? ToLying(drawn, strip.Width(), strip.Height(), paint.position) : drawn;
      tabs->Draw(lying, tab, TabFrame(index, paint.focused));
      const std::string caption = paint.tabs[i].caption.substr(0, kTabCaptionLimit);
      const TColor colour = TabCaptionColour(*tabs, index, paint.focused);
      const TextSize size = text.Measure(caption, tab.Width(), TextWrap::SingleLine);
      const Rect line = CentreIn(tab, tab.Width(), size.height);
      text.Draw(lying, line, caption, colour, {TextWrap::SingleLine, TextAlign::Centre});
      if (paint.closeBoxes == TabCloseBoxes::Shown) {
        const Rect box = TabCloseBox(tab);
        DrawCloseBox(lying, box, colour);
        const Rect upright =
            sideways ? FromLying(box, strip.Width(), strip.Height(), paint.position) : box;
        result.closeBoxes.push_back(Offset(upright, strip.left, strip.top));
      }
    }
    if (sideways)
      lying =
          RotateQuarter(lying, paint.position == TabPosition::Left ? QuarterTurn::CounterClockwise
                                                                   : QuarterTurn::Clockwise);
    CopyRect(target, strip.left, strip.top, lying, lying.Bounds());
  }

  if (const TDataSkinObject* pane = skin.Element(SkinElement::TabPane);
      pane != nullptr && !pane->Bitmap.Empty()) {
    NineSlice slice;
    slice.margins = TabPaneMargins(skin);
    DrawNineSlice(target, display, pane->Bitmap, slice, Transparency::Opaque);
  }
  return result;
}

void ComposeTabSheet(Bitmap32& target, const SkinModel& skin, Rect display, int sheetLeft,
                     int sheetTop) {
  const TDataSkinObject* pane = skin.Element(SkinElement::TabPane);
  if (pane == nullptr || pane->Bitmap.Empty()) {
    FillRect(target, target.Bounds(), ColourToPixel(skin.ButtonFaceBrush));
    return;
  }
  NineSlice slice;
  slice.margins = TabPaneMargins(skin);
  DrawNineSlice(target, Offset(display, -sheetLeft, -sheetTop), pane->Bitmap, slice,
                Transparency::Opaque);
}

} // namespace tw
