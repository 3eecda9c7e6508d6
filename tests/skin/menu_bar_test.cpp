// The skinned menu bar: items built from the native and framework menus, their places, the
// composed bar checked pixel by pixel, single-item repaints, accelerators and what a click
// on an item asks the window to do.

#include "menu_test_support.h"
#include "skin/model/embedded_skin.h"
#include "skin/model/skin_data.h"
#include "skin/paint/menu_bar.h"
#include "skin_test_support.h"
#include "support/recording_host.h"

namespace tw::test {
namespace {

constexpr Pixel kEdgeActive = 0x101010, kMidActive = 0x202020;
constexpr Pixel kEdgeInactive = 0x303030, kMidInactive = 0x404040;
constexpr TColor kBarText = MakeColour(1, 2, 3), kShadow = MakeColour(4, 5, 6),
                 kHilight = MakeColour(7, 8, 9), kMenubar = MakeColour(10, 11, 12);

MenuItemDescription Item(std::u16string caption, unsigned id, MenuHandle submenu = 0,
                         bool enabled = true, bool visible = true) {
  return {std::move(caption), enabled, visible, id, submenu, nullptr};
}

void SetColour(SkinModel& skin, SkinColour slot, TColor colour) {
  skin.Colours[static_cast<std::size_t>(slot)] = colour;
}

class MenuBarTest : public SkinTest {
protected:
  void SetUp() override {
    // Two stacked 8 x 6 frames: 2-pixel edges and a middle of their own colours.
    auto element = std::make_unique<TDataSkinObject>();
    element->Bitmap = Bitmap32(8, 12, kMidActive);
    FillRect(element->Bitmap, Rect{0, 6, 8, 12}, kMidInactive);
    for (int y : {0, 6})
      for (int x : {0, 6})
        FillRect(element->Bitmap, Rect::FromSize(x, y, 2, 6), y == 0 ? kEdgeActive : kEdgeInactive);
    element->LeftWidth = 2;
    element->RightWidth = 2;
    element->Tile = 1;
    element->FrameCount = 2;
    skin.Elements[static_cast<std::size_t>(SkinElement::MenuBar)] = std::move(element);
    SetColour(skin, SkinColour::MenuBarText, kBarText);
    SetColour(skin, SkinColour::ButtonShadow, kShadow);
    SetColour(skin, SkinColour::ButtonHilight, kHilight);
    SetColour(skin, SkinColour::Menubar, kMenubar);
    items = {Item(u"&File", 10, 0x100), Item(u"&Edit", 11, 0x200, false), Item(u"", 12),
             Item(u"&Hidden", 13, 0, true, false), Item(u"He&lp", 14)};
  }
  TDataSkinObject& Element() { return *skin.Element(SkinElement::MenuBar); }

  SkinModel skin;
  FixedMenuText text;
  RecordingHost host;
  std::vector<MenuItemDescription> items;
};

TEST_F(MenuBarTest, NativeItemsTakeCaptionStateAndSubmenuFromTheFrameworkItemOfTheirCommand) {
  const std::u16string longText(100, u'x');
  const NativeMenuItem native[] = {{u"&File", true, 5, 0x10}, {longText, true, 6, 0}};
  int frameworkObject = 0;
  const FrameworkMenuItem framework[] = {{5, u"&Datei", false, false, 0x20, &frameworkObject}};
  const auto merged = BuildMenuItems(native, framework, MenuSource::NativeMerged);
  ASSERT_EQ(merged.size(), 2u);
  EXPECT_EQ(merged[0].caption, u"&Datei");
  EXPECT_FALSE(merged[0].enabled);
  EXPECT_FALSE(merged[0].visible);
  EXPECT_EQ(merged[0].submenu, 0x20u);
  EXPECT_EQ(merged[0].frameworkItem, &frameworkObject);
  EXPECT_EQ(merged[1].caption.size(), kMenuTextLimit);
  EXPECT_TRUE(merged[1].visible);

  const auto alone = BuildMenuItems(native, framework, MenuSource::FrameworkOnly);
  ASSERT_EQ(alone.size(), 1u);
  EXPECT_EQ(alone[0].id, 5u);
}

TEST_F(MenuBarTest, StartPositionsFollowTheElementMarginsAndTheBarWidth) {
  Element().LeftWidth = 7;
  Element().RightWidth = 3;
  EXPECT_EQ(MenuBarStart(skin, 400, MenuDirection::LeftToRight), 11);
  EXPECT_EQ(MenuBarStart(skin, 400, MenuDirection::RightToLeft), 11);
  Element().RightWidth = 9;
  EXPECT_EQ(MenuBarStart(skin, 400, MenuDirection::RightToLeft), 17);
  EXPECT_EQ(MenuBarStart(skin, 16, MenuDirection::RightToLeft), 12);
  EXPECT_EQ(MenuBarStart(skin, 10, MenuDirection::LeftToRight), 12);
  skin.Elements[static_cast<std::size_t>(SkinElement::MenuBar)].reset();
  EXPECT_EQ(MenuBarStart(skin, 400, MenuDirection::LeftToRight), 6);
  EXPECT_EQ(MenuBarStart(skin, 400, MenuDirection::RightToLeft), 6);
}

TEST_F(MenuBarTest, ItemsSitSideBySideTextWidthPlusTenWithEmptyAndHiddenItemsTakingNoRoom) {
  const MenuBarLayoutInput ltr{300, 20, MenuDirection::LeftToRight, {}};
  const auto rects = LayoutMenuBar(skin, items, ltr, text);
  // Start 2 + 4; "File" 24 + 10; "Edit" 34; "" 0; hidden; "Help" 34.
  EXPECT_EQ(rects[0], (Rect{6, 0, 40, 19}));
  EXPECT_EQ(rects[1], (Rect{40, 0, 74, 19}));
  EXPECT_EQ(rects[2], (Rect{74, 0, 74, 19}));
  EXPECT_TRUE(rects[3].Empty());
  EXPECT_EQ(rects[4], (Rect{74, 0, 108, 19}));

  const MenuBarLayoutInput rtl{300, 20, MenuDirection::RightToLeft, {}};
  const auto mirrored = LayoutMenuBar(skin, items, rtl, text);
  // Start 2 + 8 from the right.
  EXPECT_EQ(mirrored[0], (Rect{256, 0, 290, 19}));
  EXPECT_EQ(mirrored[4], (Rect{188, 0, 222, 19}));

  TDataSkinSysButton mdi;
  const MdiBarButton buttons[] = {{&mdi, Rect{260, 2, 276, 18}}, {&mdi, Rect{240, 2, 256, 18}}};
  const MenuBarLayoutInput rtlMdi{300, 20, MenuDirection::RightToLeft, buttons};
  EXPECT_EQ(LayoutMenuBar(skin, items, rtlMdi, text)[0], (Rect{201, 0, 235, 19}));
}

TEST_F(MenuBarTest, BarIsTheElementFrameForTheActivityAsNineSliceOrTiledThreeSlice) {
  const MenuBarLayoutInput in{20, 6, MenuDirection::LeftToRight, {}};
  Bitmap32 active = ComposeEmptyMenuBar(skin, in, Activity::Active);
  Bitmap32 expected(20, 6, kMidActive);
  FillRect(expected, Rect{0, 0, 2, 6}, kEdgeActive);
  FillRect(expected, Rect{18, 0, 20, 6}, kEdgeActive);
  EXPECT_EQ(active, expected);
  Bitmap32 inactive = ComposeEmptyMenuBar(skin, in, Activity::Inactive);
  EXPECT_EQ(inactive.At(0, 0), kEdgeInactive);
  EXPECT_EQ(inactive.At(10, 5), kMidInactive);

  // TileMenu 0: the middle repeats in steps of 4 (cell 8 less both margins).
  Element().Tile = 0;
  Element().Bitmap.Set(2, 0, 0xABCDEF);
  const Bitmap32 tiled = ComposeEmptyMenuBar(skin, in, Activity::Active);
  for (int x = 2; x < 18; ++x)
    EXPECT_EQ(tiled.At(x, 0), (x - 2) % 4 == 0 ? 0xABCDEFu : kMidActive) << x;
  EXPECT_EQ(tiled.At(19, 0), kEdgeActive);

  skin.Elements[static_cast<std::size_t>(SkinElement::MenuBar)].reset();
  EXPECT_EQ(ComposeEmptyMenuBar(skin, in, Activity::Active),
            Bitmap32(20, 6, ColourToPixel(kMenubar)));
}

TEST_F(MenuBarTest, PaintedBarDrawsCaptionsCentredInBarTextOrShadowWhenDisabled) {
  TWinSkinMenu menu(skin, host, text);
  menu.Build(items);
  menu.Layout(Rect{4, 30, 304, 50}, MenuDirection::LeftToRight);
  EXPECT_EQ(menu.Item(0).rect, (Rect{10, 30, 44, 49}));
  const Bitmap32 bar = menu.Paint(Activity::Active);
  ASSERT_EQ(bar.Width(), 300);
  EXPECT_EQ(bar.At(23, 9), ColourToPixel(kBarText)); // centre of "File" (6..40, 0..19)
  EXPECT_EQ(bar.At(57, 9), ColourToPixel(kShadow));  // "Edit" is disabled
  EXPECT_EQ(bar.At(91, 9), ColourToPixel(kBarText)); // "Help"
  ASSERT_EQ(text.calls.size(), 3u);                  // the empty and the hidden item draw nothing
  EXPECT_EQ(text.calls[0].align, MenuTextAlign::Centre);
  EXPECT_EQ(menu.CachedBar().At(23, 9), kMidActive); // the cache holds the empty bar
}

TEST_F(MenuBarTest, HoveredItemRepaintsAloneOverTheCachedBarWithAHilightFrame) {
  TWinSkinMenu menu(skin, host, text);
  menu.Build(items);
  menu.Layout(Rect{4, 30, 304, 50}, MenuDirection::LeftToRight);
  EXPECT_TRUE(menu.PaintItem(0).Empty()); // nothing cached yet
  const Bitmap32 bar = menu.Paint(Activity::Active);
  const Bitmap32 normal = menu.PaintItem(0);
  Bitmap32 region(34, 19);
  CopyRect(region, 0, 0, bar, Rect{6, 0, 40, 19});
  EXPECT_EQ(normal, region);

  menu.Item(0).MouseEnter();
  ASSERT_EQ(host.repainted.size(), 1u);
  EXPECT_EQ(host.repainted[0], &menu.Item(0));
  const Bitmap32 hover = menu.PaintItem(0);
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 34; ++x) {
      const bool edge = x == 0 || y == 0 || x == 33 || y == 18;
      const Pixel want = edge ? ColourToPixel(kHilight) : region.At(x, y);
      ASSERT_EQ(hover.At(x, y), want) << x << "," << y;
    }

  // The item paints itself at its place in a window-sized target.
  Bitmap32 window(320, 60);
  menu.Item(0).Paint(window);
  EXPECT_EQ(window.At(10, 30), ColourToPixel(kHilight));
  EXPECT_EQ(window.At(27, 39), ColourToPixel(kBarText));
  EXPECT_EQ(window.At(9, 30), 0u);
}

TEST_F(MenuBarTest, AcceleratorFindsTheFirstEnabledVisibleItemIgnoringCase) {
  items.push_back(Item(u"&Hello", 15));
  items.push_back(Item(u"Fish && &Chips", 16));
  items.push_back(Item(u"&&Amp", 17));
  TWinSkinMenu menu(skin, host, text);
  menu.Build(items);
  menu.Layout(Rect{0, 0, 600, 20}, MenuDirection::LeftToRight);
  EXPECT_EQ(menu.ItemForAccelerator(u'f'), 0);
  EXPECT_EQ(menu.ItemForAccelerator(u'E'), -1); // "&Edit" is disabled
  EXPECT_EQ(menu.ItemForAccelerator(u'h'), 5);  // "&Hidden" is invisible
  EXPECT_EQ(menu.ItemForAccelerator(u'l'), 4);
  EXPECT_EQ(menu.ItemForAccelerator(u'c'), 6);
  EXPECT_EQ(menu.ItemForAccelerator(u'a'), -1);
  EXPECT_EQ(menu.ItemForAccelerator(u'&'), -1);
}

TEST_F(MenuBarTest, OpeningPostsTheCommandFirstAndTracksTheSubmenuAtTheItemsCorner) {
  TWinSkinMenu menu(skin, host, text);
  menu.Build(items);
  menu.Layout(Rect{4, 30, 304, 50}, MenuDirection::LeftToRight);
  const Point window{100, 200};
  const MenuOpening file = menu.Open(0, window);
  EXPECT_EQ(file.kind, MenuOpening::Kind::CommandAndSubmenu);
  EXPECT_EQ(file.command, 10u);
  EXPECT_EQ(file.submenu, 0x100u);
  EXPECT_EQ(file.trackAt, (Point{110, 249}));
  EXPECT_EQ(file.align, PopupAlign::Left);

  const MenuOpening help = menu.Open(4, window);
  EXPECT_EQ(help.kind, MenuOpening::Kind::CommandOnly);
  EXPECT_EQ(help.command, 14u);
  EXPECT_EQ(help.submenu, 0u);

  EXPECT_EQ(menu.Open(1, window).kind, MenuOpening::Kind::Nothing); // disabled
  EXPECT_EQ(menu.Open(3, window).kind, MenuOpening::Kind::Nothing); // invisible
  EXPECT_EQ(menu.Open(9, window).kind, MenuOpening::Kind::Nothing);

  menu.Layout(Rect{4, 30, 304, 50}, MenuDirection::RightToLeft);
  const MenuOpening mirrored = menu.Open(0, window);
  EXPECT_EQ(mirrored.align, PopupAlign::Right);
  EXPECT_EQ(mirrored.trackAt, (Point{100 + 294, 249})); // bottom-right of (260..294)
  EXPECT_EQ(menu.ItemAt({270, 35}), 0);
  EXPECT_EQ(menu.ItemAt({20, 35}), -1);
}

TEST_F(MenuBarTest, RebuildingReplacesTheItemsAndDropsAHotOne) {
  TWinSkinMenu menu(skin, host, text);
  menu.Build(items);
  menu.Layout(Rect{0, 0, 300, 20}, MenuDirection::LeftToRight);
  menu.Item(0).MouseEnter();
  EXPECT_EQ(host.Hot(), &menu.Item(0));
  menu.Build(std::vector<MenuItemDescription>{Item(u"&View", 20, 0x300)});
  EXPECT_EQ(host.Hot(), nullptr);
  ASSERT_EQ(menu.Count(), 1);
  EXPECT_EQ(menu.Item(0).rect, (Rect{6, 0, 40, 19}));
}

TEST_F(MenuBarTest, EmbeddedSkinBarUsesItsMenuBarStrip) {
  TSkinData data;
  data.BeginReading();
  data.ReadSkinStream(EmbeddedSkinStream());
  data.Loaded();
  const SkinModel& embedded = data.Model();
  const TDataSkinObject* element = embedded.Element(SkinElement::MenuBar);
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(MenuBarStart(embedded, 400, MenuDirection::LeftToRight), 6);
  const MenuBarLayoutInput in{100, 20, MenuDirection::LeftToRight, {}};
  const Bitmap32 bar = ComposeEmptyMenuBar(embedded, in, Activity::Active);
  // Same height as one frame: the frame's rows are copied as they are.
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(bar.At(0, y), element->Bitmap.At(0, y)) << y;
    EXPECT_EQ(bar.At(50, y), element->Bitmap.At(10, y)) << y;
  }
  const Bitmap32 inactive = ComposeEmptyMenuBar(embedded, in, Activity::Inactive);
  EXPECT_EQ(inactive.At(50, 0), element->Bitmap.At(10, 20));
}

} // namespace
} // namespace tw::test
