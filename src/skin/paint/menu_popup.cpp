#include "skin/paint/menu_popup.h"

#include <algorithm>

#include "skin/model/system_colour.h"

namespace tw {

namespace {

constexpr int kGlyphSize = 16;

int LeftWidthOf(const SkinModel& skin) {
  const TDataSkinObject* item = skin.Element(SkinElement::MenuItem);
  return item != nullptr ? item->LeftWidth : 0;
}

// A glyph of the monochrome strip: every pixel that is not the white mask takes the colour.
void DrawGlyph(Bitmap32& target, Rect at, const Bitmap32& strip, MenuGlyph glyph, Pixel colour) {
  if (glyph == MenuGlyph::None || strip.Empty())
    return;
  const int sx = static_cast<int>(glyph) * kGlyphSize;
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x) {
      if (!strip.Contains(sx + x, y) || strip.At(sx + x, y) == 0xFFFFFF)
        continue;
      if (target.Contains(at.left + x, at.top + y))
        target.Set(at.left + x, at.top + y, colour);
    }
}

bool HasItemElement(const SkinModel& skin) {
  const TDataSkinObject* item = skin.Element(SkinElement::MenuItem);
  return item != nullptr && !item->Bitmap.Empty();
}

} // namespace

PopupSkinning PopupSkinningFor(const SkinModel& skin, bool skinningOn) {
  const TDataSkinObject* bg = skin.Element(SkinElement::MenuBackground);
  return skinningOn && bg != nullptr && !bg->Bitmap.Empty() ? PopupSkinning::Skin
                                                            : PopupSkinning::Leave;
}

Bitmap32 RenderMenuBackground(const SkinModel& skin, int width, int height) {
  const TDataSkinObject* bg = skin.Element(SkinElement::MenuBackground);
  if (bg == nullptr || bg->Bitmap.Empty() || width <= 0 || height <= 0)
    return Bitmap32(width, height, SkinPixel(skin, SkinColour::Menu));
  NineSlice slice;
  slice.width = width;
  slice.height = height;
  slice.margins = bg->ElementMargins();
  slice.centre = bg->Tile == 1 ? CentreFill::Tile : CentreFill::Stretch;
  return RenderNineSlice(bg->Bitmap, slice);
}

std::vector<RingPiece> BorderRing(const Bitmap32& background) {
  const int w = background.Width();
  const int h = background.Height();
  const int b = std::min({kPopupBorder, w, h});
  auto piece = [&](Rect r) {
    Bitmap32 image(r.Width(), r.Height());
    CopyRect(image, 0, 0, background, r);
    return RingPiece{std::move(image), {r.left, r.top}};
  };
  std::vector<RingPiece> ring;
  if (w <= 0 || h <= 0)
    return ring;
  ring.push_back(piece({0, 0, w, b}));
  if (h > b)
    ring.push_back(piece({0, std::max(h - kPopupBorder, b), w, h}));
  const int top = b;
  const int bottom = std::max(h - kPopupBorder, top);
  if (bottom > top) {
    ring.push_back(piece({0, top, b, bottom}));
    if (w > b)
      ring.push_back(piece({std::max(w - kPopupBorder, b), top, w, bottom}));
  }
  return ring;
}

DefaultErase PopupEraseRule(const TSkinOptions& options, bool ntPlatform) {
  return ntPlatform && !options.Contains(TSkinOption::xoMenuBG) ? DefaultErase::Run
                                                                : DefaultErase::Skip;
}

void TWinSkinPopMenu::Render(int width, int height) {
  if (cache_.Width() != width || cache_.Height() != height || cache_.Empty())
    cache_ = RenderMenuBackground(skin_, width, height);
}

std::vector<RingPiece> TWinSkinPopMenu::PaintFrame(int width, int height) {
  cache_ = RenderMenuBackground(skin_, width, height);
  return BorderRing(cache_);
}

const Bitmap32& TWinSkinPopMenu::PrintBackground(int width, int height) {
  Render(width, height);
  return cache_;
}

Rect TWinSkinPopMenu::PrintClip(int width, int height) {
  return {kPopupBorder, kPopupBorder, std::max(width - kPopupBorder, kPopupBorder),
          std::max(height - kPopupBorder, kPopupBorder)};
}

int MeasureMenuItemWidth(int frameworkWidth, const SkinModel& skin, MenuKind kind,
                         MenuImages images) {
  const bool main = kind == MenuKind::MainMenu;
  int width = frameworkWidth + LeftWidthOf(skin) + (main ? 10 : 12);
  if (images == MenuImages::None)
    width += main ? 25 : 23;
  return width;
}

MenuGlyph SystemCommandGlyph(unsigned command) {
  // The low four bits of a system command are the platform's own.
  switch (command & 0xFFF0u) {
  case 0xF060: // close
    return MenuGlyph::Close;
  case 0xF020: // minimize
    return MenuGlyph::Minimize;
  case 0xF030: // maximize
    return MenuGlyph::Maximize;
  case 0xF120: // restore
    return MenuGlyph::Restore;
  default:
    return MenuGlyph::None;
  }
}

int MeasureMenuItemHeight(int textHeight, MenuItemType type) {
  if (type == MenuItemType::Separator)
    return 9;
  return std::max(textHeight + 6, kGlyphSize + 4);
}

int FrameworkMenuItemWidth(const MenuTextRenderer& text, std::u16string_view caption,
                           std::u16string_view shortcut) {
  int width = text.Width(caption);
  if (!shortcut.empty())
    width += 16 + text.Width(shortcut);
  return width;
}

MenuItemLayout LayoutMenuItem(const SkinModel& skin, MenuKind kind, int width, int height) {
  const bool main = kind == MenuKind::MainMenu;
  const int left = LeftWidthOf(skin);
  const int top = (height - kGlyphSize) / 2;
  const int textLeft = left + (main ? 25 : 23);
  const int textRight = std::max(width - (main ? 10 : 12), textLeft);
  MenuItemLayout layout;
  layout.glyph = Rect::FromSize(left + 2, top, kGlyphSize, kGlyphSize);
  layout.text = {textLeft, 0, textRight, height};
  layout.shortcut = layout.text;
  layout.arrow = Rect::FromSize(width - kGlyphSize - 2, top, kGlyphSize, kGlyphSize);
  return layout;
}

Bitmap32 ComposeMenuItem(const MenuItemDrawInput& in, const MenuItemState& state) {
  if (in.skin == nullptr || in.item.Empty())
    return {};
  const SkinModel& skin = *in.skin;
  const int w = in.item.Width();
  const int h = in.item.Height();
  Bitmap32 out(w, h, SkinPixel(skin, SkinColour::Menu));
  if (in.background != nullptr && !in.background->Empty())
    CopyRect(out, 0, 0, *in.background,
             Rect::FromSize(in.item.left + kPopupBorder, in.item.top + kPopupBorder, w, h));

  const bool skinned = HasItemElement(skin);
  const bool selected = state.selected == MenuSelected::Yes;
  if (state.caption == u"-") {
    const int y = h / 2 - 1;
    FillRect(out, Rect{2, y, w - 2, y + 1}, SkinPixel(skin, SkinColour::ButtonShadow));
    FillRect(out, Rect{2, y + 1, w - 2, y + 2}, SkinPixel(skin, SkinColour::ButtonHilight));
    return out;
  }

  SkinColour textColour = SkinColour::MenuText;
  if (skinned) {
    const TDataSkinObject& item = *skin.Element(SkinElement::MenuItem);
    NineSlice slice;
    slice.margins = item.ElementMargins();
    slice.centre = item.Tile == 1 ? CentreFill::Tile : CentreFill::Stretch;
    slice.frameCount = 5;
    slice.frame = selected ? 4 : 1;
    DrawNineSlice(out, out.Bounds(), item.Bitmap, slice, item.ElementTransparency());
  } else if (selected) {
    FillRect(out, out.Bounds(), SkinPixel(skin, SkinColour::Hilight));
    textColour = SkinColour::HilightText;
  }
  if (!state.enabled)
    textColour = SkinColour::ButtonShadow;
  const Pixel ink = SkinPixel(skin, textColour);
  const MenuItemLayout layout = LayoutMenuItem(skin, in.kind, w, h);

  static const Bitmap32 kNoGlyphs;
  const Bitmap32& glyphs = in.glyphs != nullptr ? *in.glyphs : kNoGlyphs;
  if (state.image != nullptr && !state.image->Empty())
    DrawFrameCentred(out, layout.glyph, *state.image, 1, 1, Transparency::Magenta);
  else if (state.check == MenuCheck::Checked)
    DrawGlyph(out, layout.glyph, glyphs, state.checkGlyph, ink);
  else
    DrawGlyph(out, layout.glyph, glyphs, state.glyph, ink);
  if (state.submenuArrow)
    DrawGlyph(out, layout.arrow, glyphs, MenuGlyph::SubmenuArrow, ink);

  if (in.text != nullptr) {
    const TColor colour = ColorToRGB(skin.Colour(textColour));
    in.text->Draw(out, layout.text, state.caption, colour, MenuTextAlign::Left);
    if (!state.shortcut.empty())
      in.text->Draw(out, layout.shortcut, state.shortcut, colour, MenuTextAlign::Right);
  }
  return out;
}

OwnerDrawPlan PlanPopupMenu(const TSkinData& data, int componentTag, bool itemHasOwnMeasure) {
  if (!data.SkinControls.Contains(TSkinControlType::xcPopupMenu) || componentTag == data.DisableTag)
    return {OwnerDraw::Keep, MeasureHandler::KeepExisting};
  return {OwnerDraw::Skin, itemHasOwnMeasure ? MeasureHandler::KeepExisting : MeasureHandler::Set};
}

OwnerDrawPlan PlanMainMenu(const TSkinData& data) {
  if (!data.SkinControls.Contains(TSkinControlType::xcMainMenu))
    return {OwnerDraw::Keep, MeasureHandler::KeepExisting};
  return {OwnerDraw::Skin, MeasureHandler::Set};
}

OwnerDrawPlan PlanOpeningPopup(const TSkinData& data, PopupOrigin origin, int componentTag) {
  constexpr OwnerDrawPlan kKeep{OwnerDraw::Keep, MeasureHandler::KeepExisting};
  if (PopupSkinningFor(data.Model(), true) != PopupSkinning::Skin)
    return kKeep;
  switch (origin) {
  case PopupOrigin::SystemMenu:
    return data.SkinControls.Contains(TSkinControlType::xcSystemMenu)
               ? OwnerDrawPlan{OwnerDraw::Skin, MeasureHandler::Set}
               : kKeep;
  case PopupOrigin::Component:
    return PlanPopupMenu(data, componentTag, false);
  case PopupOrigin::MainMenu:
    return PlanMainMenu(data);
  case PopupOrigin::Other:
    break;
  }
  return PlanPopupMenu(data, 0, false);
}

} // namespace tw
