// Scroll-bar overlays: parts from the platform's bar information, the half-length rule, hit
// parts, frames, placement, click forwarding and the painted bar.

#include "skin/model/embedded_skin.h"
#include "skin/model/skin_data.h"
#include "skin/paint/paint_scroll.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

ScrollBarInfo Bar(Rect bar, int thumbTop, int thumbBottom) {
  ScrollBarInfo info;
  info.bar = bar;
  info.lineButton = 17;
  info.thumbTop = thumbTop;
  info.thumbBottom = thumbBottom;
  return info;
}

TEST(ScrollBarTest, ArrowSizeIsTheBitmapHeightUnlessTheBarDiffersByMoreThanTwo) {
  EXPECT_EQ(ScrollArrowSize(16, 16), 16);
  EXPECT_EQ(ScrollArrowSize(16, 18), 16);
  EXPECT_EQ(ScrollArrowSize(16, 14), 16);
  EXPECT_EQ(ScrollArrowSize(16, 19), 19);
  EXPECT_EQ(ScrollArrowSize(16, 13), 13);
}

TEST(ScrollBarTest, PartsOfHorizontalAndVerticalBars) {
  // Screen coordinates do not matter: the parts are in the overlay's own coordinates.
  const ScrollBarParts h =
      ScrollBarGeometry(Bar({100, 300, 300, 317}, 40, 80), BarOrientation::Horizontal, 17);
  EXPECT_EQ(h.firstArrow, (Rect{0, 0, 17, 17}));
  EXPECT_EQ(h.secondArrow, (Rect{183, 0, 200, 17}));
  EXPECT_EQ(h.track, (Rect{17, 0, 183, 17}));
  EXPECT_EQ(h.thumb, (Rect{40, 0, 80, 17}));
  EXPECT_EQ(h.trackBefore, (Rect{17, 0, 40, 17}));
  EXPECT_EQ(h.trackAfter, (Rect{80, 0, 183, 17}));

  const ScrollBarParts v =
      ScrollBarGeometry(Bar({500, 20, 516, 220}, 16, 50), BarOrientation::Vertical, 16);
  EXPECT_EQ(v.firstArrow, (Rect{0, 0, 16, 16}));
  EXPECT_EQ(v.secondArrow, (Rect{0, 184, 16, 200}));
  EXPECT_EQ(v.thumb, (Rect{0, 16, 16, 50}));
  EXPECT_TRUE(v.trackBefore.Empty());
  EXPECT_EQ(v.trackAfter, (Rect{0, 50, 16, 184}));

  // A thumb reported over an arrow is held inside the track; no thumb leaves one track part.
  const ScrollBarParts clamped =
      ScrollBarGeometry(Bar({0, 0, 200, 17}, 5, 190), BarOrientation::Horizontal, 17);
  EXPECT_EQ(clamped.thumb, (Rect{17, 0, 183, 17}));
  const ScrollBarParts none =
      ScrollBarGeometry(Bar({0, 0, 200, 17}, 0, 0), BarOrientation::Horizontal, 17);
  EXPECT_TRUE(none.thumb.Empty());
  EXPECT_EQ(none.trackBefore, none.track);
  EXPECT_TRUE(none.trackAfter.Empty());
}

TEST(ScrollBarTest, BarShorterThanTwoArrowsHalvesThem) {
  const ScrollBarParts even =
      ScrollBarGeometry(Bar({0, 0, 17, 30}, 10, 20), BarOrientation::Vertical, 17);
  EXPECT_EQ(even.firstArrow, (Rect{0, 0, 17, 15}));
  EXPECT_EQ(even.secondArrow, (Rect{0, 15, 17, 30}));
  EXPECT_TRUE(even.track.Empty());
  EXPECT_TRUE(even.thumb.Empty());
  const ScrollBarParts odd =
      ScrollBarGeometry(Bar({0, 0, 33, 17}, 10, 20), BarOrientation::Horizontal, 17);
  EXPECT_EQ(odd.firstArrow, (Rect{0, 0, 16, 17}));
  EXPECT_EQ(odd.secondArrow, (Rect{17, 0, 33, 17}));
  // Exactly two arrows long: full-size arrows and an empty track.
  const ScrollBarParts exact =
      ScrollBarGeometry(Bar({0, 0, 34, 17}, 17, 17), BarOrientation::Horizontal, 17);
  EXPECT_EQ(exact.secondArrow, (Rect{17, 0, 34, 17}));
  EXPECT_TRUE(exact.track.Empty());
}

TEST(ScrollBarTest, PartUnderThePointer) {
  const ScrollBarParts p =
      ScrollBarGeometry(Bar({0, 0, 200, 17}, 40, 80), BarOrientation::Horizontal, 17);
  struct Row {
    int x, part;
  };
  const Row rows[] = {{0, kPartFirstArrow},    {16, kPartFirstArrow},  {17, kPartTrackBefore},
                      {39, kPartTrackBefore},  {40, kPartThumb},       {79, kPartThumb},
                      {80, kPartTrackAfter},   {182, kPartTrackAfter}, {183, kPartSecondArrow},
                      {199, kPartSecondArrow}, {200, kPartNone}};
  for (const Row& r : rows)
    EXPECT_EQ(ScrollPartAt(p, r.x, 8), r.part) << r.x;
  EXPECT_EQ(ScrollPartAt(p, 50, 17), kPartNone);
}

TEST(ScrollBarTest, StripFramesForArrowsGripsThumbsAndTracks) {
  using H = PartHighlight;
  constexpr auto Hz = BarOrientation::Horizontal;
  constexpr auto Vt = BarOrientation::Vertical;
  EXPECT_EQ(ScrollArrowFrame(Hz, kPartFirstArrow, H::Normal), 1);
  EXPECT_EQ(ScrollArrowFrame(Hz, kPartFirstArrow, H::Hovered), 4);
  EXPECT_EQ(ScrollArrowFrame(Hz, kPartFirstArrow, H::Pressed), 2);
  EXPECT_EQ(ScrollArrowFrame(Hz, kPartSecondArrow, H::Normal), 5);
  EXPECT_EQ(ScrollArrowFrame(Vt, kPartFirstArrow, H::Normal), 9);
  EXPECT_EQ(ScrollArrowFrame(Vt, kPartSecondArrow, H::Hovered), 16);
  EXPECT_EQ(ScrollArrowFrame(Vt, kPartSecondArrow, H::Pressed), 14);
  EXPECT_EQ(ScrollGripFrame(Hz, H::Normal), 17);
  EXPECT_EQ(ScrollGripFrame(Hz, H::Pressed), 18);
  EXPECT_EQ(ScrollGripFrame(Hz, H::Hovered), 19);
  EXPECT_EQ(ScrollGripFrame(Vt, H::Normal), 20);
  EXPECT_EQ(ScrollGripFrame(Vt, H::Hovered), 22);
  EXPECT_EQ(ScrollThumbFrame(H::Normal), 1);
  EXPECT_EQ(ScrollThumbFrame(H::Pressed), 2);
  EXPECT_EQ(ScrollThumbFrame(H::Hovered), 3);
  EXPECT_EQ(ScrollTrackFrame(ControlEnabled::Enabled), 1);
  EXPECT_EQ(ScrollTrackFrame(ControlEnabled::Disabled), 3);
  EXPECT_EQ(HighlightOf(kPartThumb, kPartThumb, ButtonHeld::Down), H::Pressed);
  EXPECT_EQ(HighlightOf(kPartThumb, kPartThumb, ButtonHeld::Up), H::Hovered);
  EXPECT_EQ(HighlightOf(kPartFirstArrow, kPartThumb, ButtonHeld::Down), H::Normal);
  EXPECT_EQ(HighlightOf(kPartNone, kPartNone, ButtonHeld::Down), H::Normal);
}

TEST(ScrollBarTest, OverlaySitsOverTheBarAndHidesWithControlOrBar) {
  ScrollBarInfo info = Bar({420, 130, 437, 330}, 17, 40);
  const auto placed = OverlayPlacement(ControlVisibility::Visible, info, 400, 100);
  ASSERT_TRUE(placed);
  EXPECT_EQ(*placed, (Rect{20, 30, 37, 230}));
  EXPECT_FALSE(OverlayPlacement(ControlVisibility::Hidden, info, 400, 100));
  info.visibility = BarVisibility::Hidden;
  EXPECT_FALSE(OverlayPlacement(ControlVisibility::Visible, info, 400, 100));
}

TEST(ScrollBarTest, ClicksAreForwardedWithTheBarsHitCode) {
  const ForwardedClick h = ForwardOverlayClick(ScrollBarKind::Horizontal, 30, 5, 100, 300, 90, 200);
  EXPECT_EQ(h.as, ForwardedAs::NonClient);
  EXPECT_EQ(h.hitCode, kHitHScroll);
  EXPECT_EQ(h.x, 130);
  EXPECT_EQ(h.y, 305);
  EXPECT_EQ(ForwardOverlayClick(ScrollBarKind::Vertical, 3, 50, 0, 0, 0, 0).hitCode, kHitVScroll);
  const ForwardedClick plain =
      ForwardOverlayClick(ScrollBarKind::StandAlone, 30, 5, 100, 300, 90, 290);
  EXPECT_EQ(plain.as, ForwardedAs::Client);
  EXPECT_EQ(plain.x, 40);
  EXPECT_EQ(plain.y, 15);
}

class ScrollBarPaintTest : public EmbeddedSkinTest {
protected:
  // The pixel of frame k of an element's horizontal strip at (x, y) of the frame.
  static Pixel FramePixel(const TDataSkinObject& e, int frame, int x, int y) {
    const Rect cell = FrameCell(e.Bitmap, StripOrientation::Horizontal, e.FrameCount, frame);
    return e.Bitmap.At(cell.left + x, cell.top + y);
  }
  // What an element pixel looks like drawn over ButtonFace with magenta transparent.
  Pixel OverFace(Pixel p) const {
    return p == kMagenta ? ColourToPixel(Skin().ButtonFaceBrush) : p;
  }
};

TEST_F(ScrollBarPaintTest, ArrowsThumbAndGripComeFromTheirFrames) {
  // A bar as thick as the strip's frames, so arrows and grip are copied one to one.
  Bitmap32 bar(200, 16);
  ScrollBarPaint paint;
  paint.info = Bar({0, 0, 200, 16}, 40, 100);
  paint.orientation = BarOrientation::Horizontal;
  paint.hotPart = kPartSecondArrow;
  ASSERT_EQ(ComposeScrollBar(bar, Skin(), paint), Painted::Skin);
  const TDataSkinObject& strip = El(SkinElement::Scrollbar);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(bar.At(x, y), OverFace(FramePixel(strip, 1, x, y))) << x << "," << y;
      // The hovered right arrow shows frame 5 + 3.
      ASSERT_EQ(bar.At(184 + x, y), OverFace(FramePixel(strip, 8, x, y))) << x << "," << y;
    }
  // The grip (frame 17) is centred on the thumb 40..100: its cell starts at 62.
  const Pixel gripInk = FramePixel(strip, 17, 5, 5);
  ASSERT_NE(gripInk, kMagenta);
  EXPECT_EQ(bar.At(62 + 5, 5), gripInk);
  EXPECT_EQ(bar.At(62 + 7, 10), gripInk);
  // Thumb corners come from frame 1 of the thumb element; the track shows frame 1 beside it.
  const TDataSkinObject& thumb = El(SkinElement::HorzScrollThumb);
  ASSERT_NE(FramePixel(thumb, 1, 3, 5), kMagenta);
  EXPECT_EQ(bar.At(40 + 3, 5), FramePixel(thumb, 1, 3, 5));
  EXPECT_EQ(bar.At(100 - 16 + 12, 10), FramePixel(thumb, 1, 12, 10));
  const TDataSkinObject& track = El(SkinElement::HorzScroll);
  EXPECT_EQ(bar.At(20, 8), FramePixel(track, 1, 8, 8));

  // Pressed on the thumb: thumb frame 2 and grip frame 18.
  paint.hotPart = kPartThumb;
  paint.held = ButtonHeld::Down;
  ComposeScrollBar(bar, Skin(), paint);
  EXPECT_EQ(bar.At(40 + 3, 5), FramePixel(thumb, 2, 3, 5));
  EXPECT_EQ(bar.At(62 + 5, 5), FramePixel(strip, 18, 5, 5));
  EXPECT_EQ(bar.At(0, 0), OverFace(FramePixel(strip, 1, 0, 0)));
}

TEST_F(ScrollBarPaintTest, DisabledBarShowsTrackFrameThreeAndNoThumb) {
  Bitmap32 bar(16, 120);
  ScrollBarPaint paint;
  paint.info = Bar({0, 0, 16, 120}, 16, 60);
  paint.info.enabled = ControlEnabled::Disabled;
  paint.orientation = BarOrientation::Vertical;
  ComposeScrollBar(bar, Skin(), paint);
  const TDataSkinObject& track = El(SkinElement::VertScroll);
  EXPECT_EQ(bar.At(8, 30), FramePixel(track, 3, 8, 8));
  EXPECT_EQ(bar.At(8, 80), FramePixel(track, 3, 8, 8));
  // Up arrow from frame 9, down arrow from frame 13.
  const TDataSkinObject& strip = El(SkinElement::Scrollbar);
  EXPECT_EQ(bar.At(7, 6), OverFace(FramePixel(strip, 9, 7, 6)));
  EXPECT_EQ(bar.At(7, 104 + 6), OverFace(FramePixel(strip, 13, 7, 6)));
}

TEST_F(ScrollBarPaintTest, HiddenBarIsNotPainted) {
  Bitmap32 bar(16, 120, 0x123456);
  ScrollBarPaint paint;
  paint.info = Bar({0, 0, 16, 120}, 16, 60);
  paint.info.visibility = BarVisibility::Hidden;
  EXPECT_EQ(ComposeScrollBar(bar, Skin(), paint), Painted::StandardLook);
  EXPECT_EQ(bar, Bitmap32(16, 120, 0x123456));
}

} // namespace
} // namespace tw::test
