// Skinned popup menus: when popup windows are changed at all, the border ring and the erase
// rule, the measure rule, owner-drawn items pixel by pixel (skinned and flat), and which menus
// become owner-drawn.

#include "menu_test_support.h"
#include "skin/model/embedded_skin.h"
#include "skin/paint/menu_popup.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

constexpr TColor kMenu = MakeColour(200, 201, 202), kMenuText = MakeColour(1, 2, 3),
                 kPopupShadow = MakeColour(4, 5, 6), kHilightColour = MakeColour(7, 8, 9),
                 kSelection = MakeColour(30, 31, 32), kSelectionText = MakeColour(40, 41, 42);

// A background whose every pixel tells its place.
Bitmap32 PlaceCoded(int w, int h) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.Set(x, y, MakePixel(x, y, 0x55));
  return b;
}

// Glyph strip: glyph i has one ink pixel at (i + 1, i + 1) of its cell; the rest is white.
Bitmap32 Glyphs() {
  Bitmap32 b(64, 16, 0xFFFFFF);
  for (int i = 0; i < 4; ++i)
    b.Set(16 * i + i + 1, i + 1, 0);
  return b;
}

class MenuPopupTest : public SkinTest {
protected:
  void SetUp() override {
    data.BeginReading();
    data.ReadSkinStream(EmbeddedSkinStream());
    data.Loaded();
    skin = &data.Model();
  }
  static void Colours(SkinModel& m) {
    m.Colours[static_cast<std::size_t>(SkinColour::Menu)] = kMenu;
    m.Colours[static_cast<std::size_t>(SkinColour::MenuText)] = kMenuText;
    m.Colours[static_cast<std::size_t>(SkinColour::ButtonShadow)] = kPopupShadow;
    m.Colours[static_cast<std::size_t>(SkinColour::ButtonHilight)] = kHilightColour;
    m.Colours[static_cast<std::size_t>(SkinColour::Hilight)] = kSelection;
    m.Colours[static_cast<std::size_t>(SkinColour::HilightText)] = kSelectionText;
  }

  TSkinData data;
  const SkinModel* skin = nullptr;
  FixedMenuText text;
  Bitmap32 glyphs = Glyphs();
};

TEST_F(MenuPopupTest, PopupWindowsChangeOnlyWithAMenuBackgroundBitmapWhileSkinning) {
  EXPECT_EQ(PopupSkinningFor(*skin, true), PopupSkinning::Skin);
  EXPECT_EQ(PopupSkinningFor(*skin, false), PopupSkinning::Leave);
  SkinModel bare;
  EXPECT_EQ(PopupSkinningFor(bare, true), PopupSkinning::Leave);
  bare.Elements[static_cast<std::size_t>(SkinElement::MenuBackground)] =
      std::make_unique<TDataSkinObject>(); // section without a loadable bitmap
  EXPECT_EQ(PopupSkinningFor(bare, true), PopupSkinning::Leave);
}

TEST_F(MenuPopupTest, FramePaintCopiesExactlyTheThreePixelRingOfTheRenderedBackground) {
  TWinSkinPopMenu popup(*skin, 0x1234, false);
  EXPECT_TRUE(popup.Cache().Empty());
  const std::vector<RingPiece> ring = popup.PaintFrame(40, 30);
  const Bitmap32 background = RenderMenuBackground(*skin, 40, 30);
  EXPECT_EQ(popup.Cache(), background);
  // The embedded background: outline, white ring, near-white ring, then white inside.
  EXPECT_EQ(background.At(0, 0), MakePixel(168, 176, 188));
  EXPECT_EQ(background.At(2, 15), MakePixel(250, 251, 252));
  EXPECT_EQ(background.At(20, 15), MakePixel(255, 255, 255));

  Bitmap32 window(40, 30, 0x010203);
  std::size_t covered = 0;
  for (const RingPiece& piece : ring) {
    CopyRect(window, piece.at.x, piece.at.y, piece.image, piece.image.Bounds());
    covered += static_cast<std::size_t>(piece.image.Width() * piece.image.Height());
  }
  EXPECT_EQ(covered, 40u * 30u - 34u * 24u); // no pixel twice
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool onRing = x < 3 || y < 3 || x >= 37 || y >= 27;
      ASSERT_EQ(window.At(x, y), onRing ? background.At(x, y) : 0x010203u) << x << "," << y;
    }

  EXPECT_EQ(TWinSkinPopMenu::PrintClip(40, 30), (Rect{3, 3, 37, 27}));
  EXPECT_EQ(popup.PrintBackground(40, 30), background);
  popup.Destroyed();
  EXPECT_TRUE(popup.Cache().Empty());
}

TEST_F(MenuPopupTest, TinyPopupsGetARingWithoutOverlaps) {
  for (const auto& [w, h] : {std::pair{1, 1}, {4, 2}, {5, 9}, {6, 6}}) {
    const Bitmap32 bg = PlaceCoded(w, h);
    Bitmap32 hits(w, h, 0);
    for (const RingPiece& piece : BorderRing(bg))
      for (int y = 0; y < piece.image.Height(); ++y)
        for (int x = 0; x < piece.image.Width(); ++x) {
          ASSERT_EQ(piece.image.At(x, y), bg.At(piece.at.x + x, piece.at.y + y));
          hits.Set(piece.at.x + x, piece.at.y + y, hits.At(piece.at.x + x, piece.at.y + y) + 1);
        }
    for (Pixel p : hits.Pixels())
      EXPECT_EQ(p, 1u) << w << "x" << h; // all border at this size, each pixel once
  }
}

TEST_F(MenuPopupTest, DefaultEraseRunsOnlyOnNtWithoutTheMenuBackgroundOption) {
  TSkinOptions options;
  EXPECT_EQ(PopupEraseRule(options, true), DefaultErase::Run);
  EXPECT_EQ(PopupEraseRule(options, false), DefaultErase::Skip);
  options.Include(TSkinOption::xoMenuBG);
  EXPECT_EQ(PopupEraseRule(options, true), DefaultErase::Skip);
}

TEST_F(MenuPopupTest, MeasuredWidthGrowsByTheItemMarginTheSideSpaceAndTheGlyphColumn) {
  ASSERT_EQ(skin->Element(SkinElement::MenuItem)->LeftWidth, 3);
  EXPECT_EQ(MeasureMenuItemWidth(100, *skin, MenuKind::PopupMenu, MenuImages::None), 138);
  EXPECT_EQ(MeasureMenuItemWidth(100, *skin, MenuKind::PopupMenu, MenuImages::ImageList), 115);
  EXPECT_EQ(MeasureMenuItemWidth(100, *skin, MenuKind::MainMenu, MenuImages::None), 138);
  EXPECT_EQ(MeasureMenuItemWidth(100, *skin, MenuKind::MainMenu, MenuImages::ImageList), 113);
  const SkinModel bare;
  EXPECT_EQ(MeasureMenuItemWidth(50, bare, MenuKind::PopupMenu, MenuImages::None), 85);
}

TEST_F(MenuPopupTest, NormalSkinnedItemShowsTheCachedBackgroundThroughFrameOne) {
  const Bitmap32 cache = PlaceCoded(120, 60);
  MenuItemDrawInput in{skin, MenuKind::PopupMenu, Rect::FromSize(0, 20, 100, 20), &cache, &glyphs,
                       &text};
  MenuItemState state;
  state.caption = u"&Open";
  state.shortcut = u"Ctrl+O";
  const Bitmap32 item = ComposeMenuItem(in, state);
  ASSERT_EQ(item.Width(), 100);
  const TColor ink = skin->Colour(SkinColour::MenuText);
  const MenuItemLayout layout = LayoutMenuItem(*skin, MenuKind::PopupMenu, 100, 20);
  EXPECT_EQ(layout.text, (Rect{26, 0, 88, 20}));
  EXPECT_EQ(layout.glyph, (Rect{5, 2, 21, 18}));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x) {
      if (x == 57 && y == 10)
        continue; // the text mark
      ASSERT_EQ(item.At(x, y), cache.At(x + 3, y + 23)) << x << "," << y;
    }
  EXPECT_EQ(item.At(57, 10), ColourToPixel(ink));
  ASSERT_EQ(text.calls.size(), 2u);
  EXPECT_EQ(text.calls[0].text, u"&Open");
  EXPECT_EQ(text.calls[0].align, MenuTextAlign::Left);
  EXPECT_EQ(text.calls[1].text, u"Ctrl+O");
  EXPECT_EQ(text.calls[1].align, MenuTextAlign::Right);
}

TEST_F(MenuPopupTest, SelectedSkinnedItemDrawsFrameFourOfTheMenuItemStrip) {
  // An item one frame in size shows that frame 1:1, its magenta corners letting the Menu
  // colour through.
  MenuItemDrawInput in{skin,   MenuKind::PopupMenu, Rect::FromSize(0, 0, 20, 20), nullptr, &glyphs,
                       nullptr};
  MenuItemState state;
  state.caption = u"Copy";
  state.selected = MenuSelected::Yes;
  const Bitmap32 item = ComposeMenuItem(in, state);
  const Bitmap32& strip = skin->Element(SkinElement::MenuItem)->Bitmap;
  const Pixel menu = ColourToPixel(skin->Colour(SkinColour::Menu));
  ASSERT_EQ(strip.At(60, 0), kMagenta);
  ASSERT_NE(strip.At(50, 10), strip.At(70, 10)); // frames 3 and 4 differ
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const Pixel source = strip.At(60 + x, y);
      ASSERT_EQ(item.At(x, y), source == kMagenta ? menu : source) << x << "," << y;
    }
  EXPECT_EQ(SystemCommandGlyph(0xF060), MenuGlyph::Close);
  EXPECT_EQ(SystemCommandGlyph(0xF063), MenuGlyph::Close);
  EXPECT_EQ(SystemCommandGlyph(0xF120), MenuGlyph::Restore);
  EXPECT_EQ(SystemCommandGlyph(0xF020), MenuGlyph::Minimize);
  EXPECT_EQ(SystemCommandGlyph(0xF032), MenuGlyph::Maximize);
  EXPECT_EQ(SystemCommandGlyph(0xF010), MenuGlyph::None); // move
  EXPECT_EQ(SystemCommandGlyph(0xF000), MenuGlyph::None); // size
}

TEST_F(MenuPopupTest, ChecksGlyphsDisabledTextAndSeparators) {
  SkinModel m;
  Colours(m);
  auto element = std::make_unique<TDataSkinObject>();
  element->Bitmap = Bitmap32(50, 10, kMagenta); // five transparent frames
  element->Trans = 1;
  element->LeftWidth = 2;
  m.Elements[static_cast<std::size_t>(SkinElement::MenuItem)] = std::move(element);
  MenuItemDrawInput in{&m,   MenuKind::PopupMenu, Rect::FromSize(0, 0, 80, 20), nullptr, &glyphs,
                       &text};
  const MenuItemLayout layout = LayoutMenuItem(m, MenuKind::PopupMenu, 80, 20);
  const Pixel menu = ColourToPixel(kMenu);

  MenuItemState checked;
  checked.caption = u"Wrap";
  checked.check = MenuCheck::Checked;
  checked.submenuArrow = true;
  Bitmap32 item = ComposeMenuItem(in, checked);
  EXPECT_EQ(item.At(layout.glyph.left + 1, layout.glyph.top + 1), ColourToPixel(kMenuText));
  EXPECT_EQ(item.At(layout.arrow.left + 3, layout.arrow.top + 3), ColourToPixel(kMenuText));
  checked.checkGlyph = MenuGlyph::Radio;
  item = ComposeMenuItem(in, checked);
  EXPECT_EQ(item.At(layout.glyph.left + 1, layout.glyph.top + 1), menu);
  EXPECT_EQ(item.At(layout.glyph.left + 2, layout.glyph.top + 2), ColourToPixel(kMenuText));

  MenuItemState close;
  close.caption = u"Close";
  close.glyph = MenuGlyph::Close;
  close.enabled = false;
  text.calls.clear();
  item = ComposeMenuItem(in, close);
  EXPECT_EQ(item.At(layout.glyph.left + 4, layout.glyph.top + 4), ColourToPixel(kPopupShadow));
  ASSERT_EQ(text.calls.size(), 1u);
  EXPECT_EQ(text.calls[0].colour, kPopupShadow);
  std::size_t inked = 0;
  for (Pixel p : item.Pixels())
    inked += p != menu ? 1 : 0;
  EXPECT_EQ(inked, 2u); // the glyph pixel and the text mark

  MenuItemState separator;
  separator.caption = u"-";
  text.calls.clear();
  item = ComposeMenuItem(in, separator);
  EXPECT_TRUE(text.calls.empty());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 80; ++x) {
      Pixel want = menu;
      if (x >= 2 && x < 78 && y == 9)
        want = ColourToPixel(kPopupShadow);
      if (x >= 2 && x < 78 && y == 10)
        want = ColourToPixel(kHilightColour);
      ASSERT_EQ(item.At(x, y), want) << x << "," << y;
    }
}

TEST_F(MenuPopupTest, WithoutAMenuItemElementTheSelectedItemIsFlatHilight) {
  SkinModel m;
  Colours(m);
  MenuItemDrawInput in{&m,   MenuKind::MainMenu, Rect::FromSize(0, 0, 70, 18), nullptr, &glyphs,
                       &text};
  MenuItemState state;
  state.caption = u"Find";
  state.selected = MenuSelected::Yes;
  const Bitmap32 item = ComposeMenuItem(in, state);
  ASSERT_EQ(text.calls.size(), 1u);
  EXPECT_EQ(text.calls[0].colour, kSelectionText);
  EXPECT_EQ(text.calls[0].rect, (Rect{25, 0, 60, 18}));
  std::size_t selection = 0;
  for (Pixel p : item.Pixels())
    selection += p == ColourToPixel(kSelection) ? 1 : 0;
  EXPECT_EQ(selection, 70u * 18u - 1u);
  state.selected = MenuSelected::No;
  EXPECT_EQ(ComposeMenuItem(in, state).At(0, 0), ColourToPixel(kMenu));
}

TEST_F(MenuPopupTest, PopupComponentsWithTheDisableTagKeepTheStandardDrawing) {
  TSkinData d;
  EXPECT_EQ(PlanPopupMenu(d, 0, false), (OwnerDrawPlan{OwnerDraw::Skin, MeasureHandler::Set}));
  EXPECT_EQ(PlanPopupMenu(d, 0, true),
            (OwnerDrawPlan{OwnerDraw::Skin, MeasureHandler::KeepExisting}));
  EXPECT_EQ(PlanPopupMenu(d, 99, false).draw, OwnerDraw::Keep);
  d.DisableTag = 7;
  EXPECT_EQ(PlanPopupMenu(d, 99, false).draw, OwnerDraw::Skin);
  EXPECT_EQ(PlanPopupMenu(d, 7, false).draw, OwnerDraw::Keep);
  d.SkinControls.Exclude(TSkinControlType::xcPopupMenu);
  EXPECT_EQ(PlanPopupMenu(d, 0, false).draw, OwnerDraw::Keep);
  EXPECT_EQ(PlanMainMenu(d).draw, OwnerDraw::Skin);
  d.SkinControls.Exclude(TSkinControlType::xcMainMenu);
  EXPECT_EQ(PlanMainMenu(d).draw, OwnerDraw::Keep);
}

TEST_F(MenuPopupTest, ItemsMeasureTheirTextShortcutAndTheHeightRule) {
  EXPECT_EQ(FrameworkMenuItemWidth(text, u"&Copy", u""), 24);
  EXPECT_EQ(FrameworkMenuItemWidth(text, u"Close", u"Alt+F4"), 30 + 16 + 36);
  EXPECT_EQ(MeasureMenuItemHeight(13, MenuItemType::Item), 20); // the glyph's 16 + 4
  EXPECT_EQ(MeasureMenuItemHeight(16, MenuItemType::Item), 22);
  EXPECT_EQ(MeasureMenuItemHeight(30, MenuItemType::Separator), 9);
  // The measured width leaves the text exactly its room between glyph column and right margin.
  const int width = MeasureMenuItemWidth(FrameworkMenuItemWidth(text, u"Close", u"Alt+F4"), *skin,
                                         MenuKind::PopupMenu, MenuImages::None);
  const MenuItemLayout layout = LayoutMenuItem(*skin, MenuKind::PopupMenu, width, 20);
  EXPECT_EQ(layout.text.Width(), 30 + 16 + 36);
  EXPECT_EQ(layout.shortcut.right, layout.text.right);
}

TEST_F(MenuPopupTest, SystemMenuItemsShowTheirGlyphsFromTheProgramsStrip) {
  SkinModel m;
  Colours(m);
  const Bitmap32& strip = data.MenuGlyphs();
  ASSERT_EQ(strip.Width(), 112);
  MenuItemDrawInput in{&m,     MenuKind::PopupMenu, Rect::FromSize(0, 0, 90, 20), nullptr, &strip,
                       nullptr};
  const MenuItemLayout layout = LayoutMenuItem(m, MenuKind::PopupMenu, 90, 20);
  std::vector<Bitmap32> drawn;
  for (const unsigned command : {0xF060u, 0xF020u, 0xF030u, 0xF120u}) {
    MenuItemState state;
    state.caption = u"x";
    state.glyph = SystemCommandGlyph(command);
    const Bitmap32 item = ComposeMenuItem(in, state);
    const int cell = static_cast<int>(state.glyph) * 16;
    int inked = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const bool ink = strip.At(cell + x, y) != 0xFFFFFF;
        inked += ink ? 1 : 0;
        ASSERT_EQ(item.At(layout.glyph.left + x, layout.glyph.top + y),
                  ColourToPixel(ink ? kMenuText : kMenu))
            << command << " " << x << "," << y;
      }
    EXPECT_GT(inked, 6) << command;
    drawn.push_back(item);
  }
  for (std::size_t i = 0; i < drawn.size(); ++i)
    for (std::size_t j = i + 1; j < drawn.size(); ++j)
      EXPECT_NE(drawn[i], drawn[j]) << i << " " << j;
}

TEST_F(MenuPopupTest, OpeningPopupsAreOwnerDrawnOnlyWithAMenuBackgroundAndByTheirOrigin) {
  const auto draw = [&](PopupOrigin origin, int tag) {
    return PlanOpeningPopup(data, origin, tag).draw;
  };
  EXPECT_EQ(draw(PopupOrigin::SystemMenu, 0), OwnerDraw::Skin);
  EXPECT_EQ(draw(PopupOrigin::Component, 0), OwnerDraw::Skin);
  EXPECT_EQ(draw(PopupOrigin::Component, 99), OwnerDraw::Keep);
  EXPECT_EQ(draw(PopupOrigin::Other, 99), OwnerDraw::Skin); // no Tag of its own
  EXPECT_EQ(draw(PopupOrigin::MainMenu, 99), OwnerDraw::Skin);
  data.SkinControls.Exclude(TSkinControlType::xcSystemMenu);
  EXPECT_EQ(draw(PopupOrigin::SystemMenu, 0), OwnerDraw::Keep);
  data.SkinControls.Exclude(TSkinControlType::xcMainMenu);
  EXPECT_EQ(draw(PopupOrigin::MainMenu, 0), OwnerDraw::Keep);

  // A skin without a MenuBackground bitmap leaves every popup's items alone.
  TSkinData bare;
  bare.BeginReading();
  bare.ReadSkinStream(EnvelopeOf({{"bare.ini", Bytes("[TitlebarSkin]\r\nSkinName=Bare\r\n")}}));
  bare.Loaded();
  ASSERT_EQ(bare.Model().SkinName, "Bare");
  for (const PopupOrigin origin :
       {PopupOrigin::SystemMenu, PopupOrigin::Component, PopupOrigin::MainMenu, PopupOrigin::Other})
    EXPECT_EQ(PlanOpeningPopup(bare, origin, 0).draw, OwnerDraw::Keep);
}

} // namespace
} // namespace tw::test
