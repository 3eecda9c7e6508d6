// Controls composed with the shipped skin, compared pixel by pixel with the frames of the skin's
// own element bitmaps.

#include "skin/model/embedded_skin.h"
#include "skin/model/skin_data.h"
#include "skin/paint/paint_check.h"
#include "skin/paint/paint_combo.h"
#include "skin/paint/paint_panels.h"
#include "skin/paint/paint_progress.h"
#include "skin/paint/paint_scroll.h"
#include "skin/paint/paint_tab.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

class PaintRenderTest : public EmbeddedSkinTest {
protected:
  Pixel Face() const { return ColourToPixel(Skin().ButtonFaceBrush); }
  Pixel OverFace(Pixel p) const { return p == kMagenta ? Face() : p; }
  static Pixel FramePixel(const Bitmap32& strip, int frames, int frame, int x, int y) {
    const Rect cell = FrameCell(strip, StripOrientation::Horizontal, frames, frame);
    return strip.At(cell.left + x, cell.top + y);
  }

  BlockTextPainter text;
};

TEST_F(PaintRenderTest, DisabledPushButtonShowsFrameThreeAndShadowText) {
  platform.colours[SysColour::BtnShadow] = MakeColour(128, 128, 128);
  Bitmap32 button(75, 25);
  PushButtonPaint paint;
  paint.state.enabled = ControlEnabled::Disabled;
  paint.state.bits = kButtonHover;
  paint.caption = "OK";
  ASSERT_EQ(ComposePushButton(button, Skin(), paint, text), Painted::Skin);
  const Bitmap32& strip = Skin().Buttons.Bitmap;
  // The 4-pixel corners are frame 3's corners, one to one.
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(button.At(x, y), OverFace(FramePixel(strip, 5, 3, x, y))) << x << "," << y;
      EXPECT_EQ(button.At(71 + x, 21 + y), OverFace(FramePixel(strip, 5, 3, 20 + x, 20 + y)));
    }
  // "OK": two 6 x 10 cells centred inside the button less 2 pixels, in the shadow colour.
  const Pixel shadow = MakePixel(128, 128, 128);
  EXPECT_EQ(button.At(31, 7), shadow);
  EXPECT_EQ(button.At(41, 15), shadow);
  EXPECT_NE(button.At(42, 15), shadow);
  EXPECT_NE(button.At(30, 7), shadow);
  EXPECT_NE(button.At(43, 7), shadow);
  EXPECT_NE(button.At(31, 17), shadow);
}

TEST_F(PaintRenderTest, HoveredButtonTakesTheSkinsHoverColourAndFocusedShowsTheFocusRect) {
  Bitmap32 hovered(75, 25);
  PushButtonPaint paint;
  paint.caption = "OK";
  paint.state.bits = kButtonHover;
  ComposePushButton(hovered, Skin(), paint, text);
  EXPECT_EQ(hovered.At(31, 7), ColourToPixel(MakeColour(22, 86, 160)));
  EXPECT_EQ(hovered.At(1, 1), OverFace(FramePixel(Skin().Buttons.Bitmap, 5, 4, 1, 1)));

  paint.state.bits = 0;
  paint.state.focus = ControlFocus::Focused;
  paint.options = TSkinOptions{TSkinOption::xoNoFocusRect};
  Bitmap32 plain(75, 25);
  ComposePushButton(plain, Skin(), paint, text);
  paint.options = {};
  Bitmap32 focused(75, 25);
  ComposePushButton(focused, Skin(), paint, text);
  // The dotted outline around the text (31..43 x 7..17) inflated by 2: every other pixel
  // inverted, nothing else changed.
  EXPECT_EQ(focused.At(29, 5), plain.At(29, 5) ^ 0xFFFFFF);
  EXPECT_EQ(focused.At(30, 5), plain.At(30, 5));
  EXPECT_EQ(focused.At(29, 7), plain.At(29, 7) ^ 0xFFFFFF);
  EXPECT_EQ(focused.At(44, 18), plain.At(44, 18) ^ 0xFFFFFF);
  EXPECT_EQ(focused.At(45, 19), plain.At(45, 19));
  EXPECT_EQ(focused.At(35, 12), plain.At(35, 12));
  EXPECT_EQ(focused.At(1, 1), OverFace(FramePixel(Skin().Buttons.Bitmap, 5, 5, 1, 1)));
}

TEST_F(PaintRenderTest, CheckBoxBitmapIsCutIntoFiveFramesOfThirteen) {
  const Bitmap32& strip = Skin().Buttons.CheckBitmap;
  ASSERT_EQ(strip.Width(), 65);
  ASSERT_EQ(strip.Height(), 13);
  for (int frame = 1; frame <= 5; ++frame) {
    Bitmap32 box(100, 17);
    CheckPaint paint;
    paint.frame = frame;
    ComposeCheck(box, Skin(), paint, text);
    // The glyph at the left edge, centred vertically (rows 2 to 14).
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x)
        ASSERT_EQ(box.At(x, 2 + y), OverFace(strip.At(13 * (frame - 1) + x, y)))
            << frame << ": " << x << "," << y;
    EXPECT_EQ(box.At(6, 0), Face());
    EXPECT_EQ(box.At(13, 8), Face());
  }
}

TEST_F(PaintRenderTest, CheckCaptionAndGlyphSides) {
  platform.colours[SysColour::BtnShadow] = MakeColour(128, 128, 128);
  Bitmap32 box(100, 20);
  CheckPaint paint;
  paint.kind = CheckKind::RadioButton;
  paint.frame = 2;
  paint.side = GlyphSide::Right;
  paint.caption = "Yes";
  paint.enabled = ControlEnabled::Disabled;
  ComposeCheck(box, Skin(), paint, text);
  const Bitmap32& strip = Skin().Buttons.RadioBitmap;
  EXPECT_EQ(box.At(87 + 6, 3 + 6), OverFace(strip.At(13 + 6, 6)));
  // The caption starts at the left, centred vertically, in the shadow colour.
  EXPECT_EQ(box.At(0, 5), MakePixel(128, 128, 128));
  EXPECT_EQ(box.At(0, 4), Face());
  EXPECT_EQ(box.At(16, 13), MakePixel(128, 128, 128));
  EXPECT_NE(box.At(17, 13), MakePixel(128, 128, 128));
}

TEST_F(PaintRenderTest, ProgressShowsOnlyTheEmptyBarAtPositionZeroOrMaximumZero) {
  const TDataSkinObject& trough = El(SkinElement::Progress);
  const TDataSkinObject& chunk = El(SkinElement::ProgressChunk);
  ASSERT_EQ(trough.Bitmap.Height(), 16);
  ASSERT_EQ(chunk.Bitmap.Height(), 12);
  ProgressPaint paint;
  paint.maximum = 34;
  paint.position = 0;
  Bitmap32 atZero(200, 16);
  ComposeProgress(atZero, Skin(), paint);
  paint.maximum = 0;
  paint.position = 20;
  Bitmap32 maxZero(200, 16);
  ComposeProgress(maxZero, Skin(), paint);
  EXPECT_EQ(atZero, maxZero);
  for (const int x : {4, 100, 190})
    EXPECT_EQ(atZero.At(x, 8), trough.Bitmap.At(12, 8)) << x;

  // Half way: the stretched chunk covers 2 .. 2 + 100 at rows 2 .. 13, the trough the rest.
  paint.maximum = 100;
  paint.position = 50;
  Bitmap32 half(200, 16);
  ComposeProgress(half, Skin(), paint);
  EXPECT_EQ(half.At(50, 2 + 5), chunk.Bitmap.At(6, 5));
  EXPECT_EQ(half.At(50, 2 + 11), OverFace(chunk.Bitmap.At(6, 11)));
  EXPECT_EQ(half.At(104, 8), trough.Bitmap.At(12, 8));
  EXPECT_EQ(half.At(50, 1), trough.Bitmap.At(12, 1));
}

TEST_F(PaintRenderTest, VerticalProgressFillsFromTheBottom) {
  const TDataSkinObject& trough = El(SkinElement::Progress);
  const TDataSkinObject& chunk = El(SkinElement::ProgressChunk);
  ProgressPaint paint;
  paint.position = 25;
  paint.orientation = BarOrientation::Vertical;
  Bitmap32 bar(16, 200);
  ComposeProgress(bar, Skin(), paint);
  // Filled 50 pixels: rows 148 .. 197 carry the chunk turned a quarter.
  EXPECT_EQ(bar.At(2 + 5, 190), chunk.Bitmap.At(6, 5));
  EXPECT_EQ(bar.At(2 + 5, 150), chunk.Bitmap.At(6, 5));
  EXPECT_NE(bar.At(2 + 5, 100), chunk.Bitmap.At(6, 5));
  EXPECT_EQ(bar.At(8, 100), trough.Bitmap.At(12, 8));
}

TEST_F(PaintRenderTest, FocusedTabUsesFrameTwoAndItsCaptionColour) {
  const TDataSkinObject& tabs = El(SkinElement::Tabs);
  Bitmap32 control(300, 200);
  TabPaint paint;
  paint.adjusted = {4, 29, 296, 196}; // strip rows 0 .. 23
  paint.tabs = {{{2, 1, 62, 25}, "First"}, {{62, 1, 122, 25}, "Second"}};
  paint.focused = 1;
  paint.background = Skin().ButtonFaceBrush;
  ASSERT_EQ(ComposeTabs(control, Skin(), paint, text).painted, Painted::Skin);
  // Tabs are drawn one pixel up: (2, 0) and (62, 0); the corners come 1:1 from their frames.
  const auto cornerOf = [&](int frame) { return FramePixel(tabs.Bitmap, 5, frame, 2, 2); };
  ASSERT_NE(cornerOf(1), cornerOf(2));
  EXPECT_EQ(control.At(2 + 2, 2), cornerOf(1));
  EXPECT_EQ(control.At(62 + 2, 2), cornerOf(2));
  // Captions: "First" centred in the first tab in NormalColour2, "Second" in MouseOverColour2.
  EXPECT_EQ(control.At(2 + 15, 7), ColourToPixel(tabs.NormalColour2));
  EXPECT_EQ(control.At(62 + 12, 7), ColourToPixel(tabs.MouseOverColour2));
  // The page: Tab.Pane from the display area's edge (its Style-1 margins of 2).
  const TDataSkinObject& pane = El(SkinElement::TabPane);
  EXPECT_EQ(control.At(0, 24), pane.Bitmap.At(0, 0));
  EXPECT_EQ(control.At(150, 100), pane.Bitmap.At(8, 8));
  // The row the display area leaves below itself shows the background, not stale pixels.
  EXPECT_EQ(control.At(150, 198), pane.Bitmap.At(8, 15));
  EXPECT_EQ(control.At(150, 199), Face());
}

TEST_F(PaintRenderTest, LeftTabsAreTurnedAQuarterAndCloseBoxesFollow) {
  const TDataSkinObject& tabs = El(SkinElement::Tabs);
  Bitmap32 control(200, 150);
  TabPaint paint;
  paint.position = TabPosition::Left;
  paint.adjusted = {29, 4, 196, 146}; // display from x 24: strip columns 0 .. 23
  paint.tabs = {{{1, 10, 25, 70}, "Tab"}};
  paint.focused = 0;
  paint.closeBoxes = TabCloseBoxes::Shown;
  const TabComposition result = ComposeTabs(control, Skin(), paint, text);
  // The tab's top edge (frame 2's accent rows 0 and 1) runs down the strip's outer edge.
  const Pixel accent = FramePixel(tabs.Bitmap, 5, 2, 20, 1);
  ASSERT_NE(accent, FramePixel(tabs.Bitmap, 5, 2, 20, 20));
  EXPECT_EQ(control.At(1, 40), accent);
  EXPECT_EQ(control.At(22, 40), FramePixel(tabs.Bitmap, 5, 2, 20, 22));
  // The close box sits at the tab's far end from the caption start, turned with it: 2 pixels
  // in from the outer edge and the tab's top end.
  ASSERT_EQ(result.closeBoxes.size(), 1u);
  EXPECT_EQ(result.closeBoxes[0], (Rect{2, 12, 8, 18}));
  EXPECT_EQ(control.At(2, 17), ColourToPixel(tabs.MouseOverColour2));
}

TEST_F(PaintRenderTest, ComposedComboStripLetsTheEditAreaShowThrough) {
  const TDataSkinObject& strip = El(SkinElement::ComboButton);
  ASSERT_EQ(strip.Style, 2);
  const Pixel edit = MakePixel(1, 2, 3);
  Bitmap32 combo(145, 21, edit);
  ComboPaint paint;
  paint.state.focus = ControlFocus::Focused;
  ASSERT_EQ(ComposeCombo(combo, Skin(), paint), Painted::Skin);
  EXPECT_EQ(combo.At(40, 10), edit);
  // The button end is frame 4's right margin (arrow width + 2 = 18 columns), one to one.
  for (int x = 0; x < 18; ++x) {
    const Pixel p = FramePixel(strip.Bitmap, 4, 4, 32 + x, 10);
    EXPECT_EQ(combo.At(127 + x, 10), p == kMagenta ? edit : p) << x;
  }
  // Disabled: frame 3.
  paint.state.enabled = ControlEnabled::Disabled;
  ComposeCombo(combo, Skin(), paint);
  EXPECT_EQ(combo.At(127 + 9, 10), FramePixel(strip.Bitmap, 4, 3, 32 + 9, 10));
  // Right-to-left: the mirrored strip, the button at the left.
  paint.direction = LayoutDirection::RightToLeft;
  paint.state.enabled = ControlEnabled::Enabled;
  Bitmap32 rtl(145, 21, edit);
  ComposeCombo(rtl, Skin(), paint);
  for (int x = 0; x < 18; ++x)
    EXPECT_EQ(rtl.At(17 - x, 10),
              combo.At(127 + x, 10) == edit ? edit : FramePixel(strip.Bitmap, 4, 4, 32 + x, 10));
}

// A strip of n solid frames of the given size, frame k coloured base + k.
Bitmap32 SolidFrames(int n, int w, int h, Pixel base) {
  Bitmap32 strip(n * w, h);
  for (int k = 0; k < n; ++k)
    FillRect(strip, Rect::FromSize(k * w, 0, w, h), base + static_cast<Pixel>(k + 1));
  return strip;
}

TEST_F(PaintRenderTest, FramedComboKeepsTheEditAreaAndFillsTheButton) {
  SkinModel skin;
  auto element = [&](SkinElement e, int n, int w, int h, Pixel base) {
    auto o = std::make_unique<TDataSkinBorder>();
    o->Bitmap = SolidFrames(n, w, h, base);
    o->FrameCount = n;
    o->LeftWidth = o->TopHeight = o->RightWidth = o->BottomHeight = 1;
    skin.Elements[static_cast<std::size_t>(e)] = std::move(o);
  };
  element(SkinElement::ComboButton, 4, 6, 6, 0x100);
  element(SkinElement::SunkEdge, 4, 6, 6, 0x200);
  element(SkinElement::ExtraImages, 4, 2, 2, 0x300);
  const Pixel edit = 0x777777;
  Bitmap32 combo(100, 21, edit);
  ComboPaint paint;
  paint.state.hover = ComboHover::Hovered; // frame 4
  paint.arrowWidth = 16;
  ASSERT_EQ(ComposeCombo(combo, skin, paint), Painted::Skin);
  EXPECT_EQ(combo.At(0, 10), 0x204u); // the frame around
  EXPECT_EQ(combo.At(1, 1), 0x204u);
  EXPECT_EQ(combo.At(2, 2), edit); // the edit area untouched
  EXPECT_EQ(combo.At(81, 18), edit);
  EXPECT_EQ(combo.At(82, 2), 0x104u); // the button: 82 .. 98 x 2 .. 19
  EXPECT_EQ(combo.At(97, 18), 0x104u);
  EXPECT_EQ(combo.At(98, 10), 0x204u);
  EXPECT_EQ(combo.At(89, 9), 0x304u); // the extra image, 2 x 2 centred at 89, 9
  EXPECT_EQ(combo.At(90, 10), 0x304u);
  EXPECT_EQ(combo.At(91, 10), 0x104u);

  // The rectangle the platform reports wins; a box it reports invisible is not drawn.
  paint.reportedButton = Rect{60, 0, 80, 21};
  Bitmap32 reported(100, 21, edit);
  ComposeCombo(reported, skin, paint);
  EXPECT_EQ(reported.At(60, 0), 0x104u);
  EXPECT_EQ(reported.At(90, 10), 0x204u);
  paint.reportedVisibility = ControlVisibility::Hidden;
  Bitmap32 hidden(100, 21, edit);
  EXPECT_EQ(ComposeCombo(hidden, skin, paint), Painted::StandardLook);
  EXPECT_EQ(hidden, Bitmap32(100, 21, edit));
}

TEST_F(PaintRenderTest, EditFrameOnlyOverABorder) {
  Bitmap32 edit(60, 21, 0x445566);
  EXPECT_EQ(ComposeEditFrame(edit, Skin(), HasBorder::No), Painted::StandardLook);
  EXPECT_EQ(edit.At(0, 0), 0x445566u);
  ComposeEditFrame(edit, Skin(), EditHasBorder({0, 0, 60, 21}, 56, 17));
  EXPECT_EQ(edit.At(0, 10), ColourToPixel(Skin().Colour(SkinColour::ButtonShadow)));
  EXPECT_EQ(edit.At(59, 20), ColourToPixel(Skin().Colour(SkinColour::ButtonShadow)));
  EXPECT_EQ(edit.At(1, 1), 0xFFFFFFu);
  EXPECT_EQ(edit.At(57, 10), 0xFFFFFFu);
  EXPECT_EQ(edit.At(3, 3), 0x445566u);
}

TEST_F(PaintRenderTest, ElementsTheSkinLacksLeaveTheStandardLook) {
  Bitmap32 target(40, 40, 0x010101);
  SkinModel empty;
  EXPECT_EQ(ComposeUpDown(target, empty, {}), Painted::StandardLook);
  EXPECT_EQ(ComposeStatusBar(target, empty, {}, text), Painted::StandardLook);
  EXPECT_EQ(ComposeTrackBar(target, empty, {}), Painted::StandardLook);
  EXPECT_EQ(ComposePushButton(target, empty, {}, text), Painted::StandardLook);
  EXPECT_EQ(ComposeCheck(target, empty, {}, text), Painted::StandardLook);
  EXPECT_EQ(ComposeCombo(target, empty, {}), Painted::StandardLook);
  EXPECT_EQ(ComposeProgress(target, empty, {}), Painted::StandardLook);
  EXPECT_EQ(ComposeTabs(target, empty, {}, text).painted, Painted::StandardLook);
  EXPECT_EQ(ComposeHeader(target, empty, {}, text), Painted::StandardLook);
  EXPECT_EQ(target, Bitmap32(40, 40, 0x010101));
}

TEST_F(PaintRenderTest, TinyAndOddSizedControlsStayInsideTheirBitmaps) {
  // Long captions and sizes below the elements' margins: every composer must clip.
  const std::string caption = "A caption far wider than any of these controls||second";
  for (int w = 0; w < 30; w += 3)
    for (int h = 0; h < 30; h += 4) {
      Bitmap32 b(w, h);
      PushButtonPaint button;
      button.caption = caption;
      button.state.focus = ControlFocus::Focused;
      ComposePushButton(b, Skin(), button, text);
      CheckPaint check;
      check.caption = caption;
      check.focus = ControlFocus::Focused;
      ComposeCheck(b, Skin(), check, text);
      ComposeCombo(b, Skin(), {});
      ComposeProgress(b, Skin(), {0, 10, 7, BarOrientation::Vertical});
      TabPaint tabs;
      tabs.adjusted = {2, 6, w - 2, h - 2};
      tabs.tabs = {{{0, 0, w + 5, 8}, caption}};
      tabs.closeBoxes = TabCloseBoxes::Shown;
      tabs.position = static_cast<TabPosition>((w + h) % 4);
      ComposeTabs(b, Skin(), tabs, text);
      ComposeGroupBox(b, Skin(), {caption}, text);
      ComposeStatusBar(b, Skin(), {{{{-3, 0, w + 3, h}, caption}}, SizeGrip::Shown}, text);
      ScrollBarPaint bar;
      bar.info = {{0, 0, w, h}, 0, 2, 40};
      ComposeScrollBar(b, Skin(), bar);
      ComposeSizer(b, Skin());
      // No composer resizes the control's bitmap.
      const Bitmap32 fresh(w, h);
      ASSERT_EQ(b.Width(), fresh.Width());
      ASSERT_EQ(b.Height(), fresh.Height());
    }
}

} // namespace
} // namespace tw::test
