#include <gtest/gtest.h>

#include "skin/model/raster.h"

namespace tw {
namespace {

Pixel P(int x, int y) {
  return static_cast<Pixel>(y * 16 + x + 1);
}

// Every pixel a distinct value so each output pixel names its source.
Bitmap32 Numbered(int w, int h) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.Set(x, y, P(x, y));
  return b;
}

NineSlice Slice(int w, int h, int margin, CentreFill centre = CentreFill::Stretch) {
  NineSlice s;
  s.width = w;
  s.height = h;
  s.margins = {margin, margin, margin, margin};
  s.centre = centre;
  return s;
}

TEST(RasterTest, NineSliceCornersAreCopiedOneToOne) {
  const Bitmap32 src = Numbered(5, 5);
  const Bitmap32 out = RenderNineSlice(src, Slice(7, 6, 1));
  EXPECT_EQ(out.At(0, 0), P(0, 0));
  EXPECT_EQ(out.At(6, 0), P(4, 0));
  EXPECT_EQ(out.At(0, 5), P(0, 4));
  EXPECT_EQ(out.At(6, 5), P(4, 4));
}

TEST(RasterTest, NineSliceEdgesStretchAlongTheirLength) {
  const Bitmap32 out = RenderNineSlice(Numbered(5, 5), Slice(7, 6, 1));
  // Top edge: source columns 1..3 spread over 5 columns by nearest neighbour.
  const int expected[] = {1, 1, 2, 2, 3};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(out.At(1 + i, 0), P(expected[i], 0)) << i;
    EXPECT_EQ(out.At(1 + i, 5), P(expected[i], 4)) << i;
  }
  // Left edge: source rows 1..3 over 4 rows.
  const int rows[] = {1, 1, 2, 3};
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(out.At(0, 1 + j), P(0, rows[j])) << j;
    EXPECT_EQ(out.At(6, 1 + j), P(4, rows[j])) << j;
  }
}

TEST(RasterTest, NineSliceCentreStretched) {
  const Bitmap32 out = RenderNineSlice(Numbered(5, 5), Slice(7, 6, 1));
  EXPECT_EQ(out.At(1, 1), P(1, 1));
  EXPECT_EQ(out.At(5, 4), P(3, 3));
  EXPECT_EQ(out.At(3, 3), P(2, 2));
}

TEST(RasterTest, NineSliceCentreTiledAndClipped) {
  const Bitmap32 out = RenderNineSlice(Numbered(5, 5), Slice(9, 7, 1, CentreFill::Tile));
  // Centre is 7 x 5, tiled from the 3 x 3 source centre, clipped at its edge.
  for (int j = 0; j < 5; ++j)
    for (int i = 0; i < 7; ++i)
      EXPECT_EQ(out.At(1 + i, 1 + j), P(1 + i % 3, 1 + j % 3)) << i << "," << j;
  EXPECT_EQ(out.At(8, 1), P(4, 1)); // the right edge is untouched by the tiling
}

TEST(RasterTest, NineSliceDropsMarginsThatDoNotFit) {
  NineSlice s = Slice(3, 6, 2); // 3 < 2 + 2: no side margins
  const Bitmap32 out = RenderNineSlice(Numbered(5, 5), s);
  // The whole cell width is stretched across 3 columns in the top rows (top margin kept).
  EXPECT_EQ(out.At(0, 0), P(0, 0));
  EXPECT_EQ(out.At(1, 0), P(1, 0));
  EXPECT_EQ(out.At(2, 0), P(3, 0));
  EXPECT_EQ(out.At(2, 5), P(3, 4));

  s = Slice(6, 3, 2); // 3 < 2 + 2: no top and bottom margins
  const Bitmap32 flat = RenderNineSlice(Numbered(5, 5), s);
  EXPECT_EQ(flat.At(0, 0), P(0, 0));
  EXPECT_EQ(flat.At(0, 1), P(0, 1));
  EXPECT_EQ(flat.At(0, 2), P(0, 3));
  EXPECT_EQ(flat.At(5, 2), P(4, 3));
}

TEST(RasterTest, FrameSelectionOnHorizontalStrip) {
  const Bitmap32 strip = Numbered(6, 3); // two 3 x 3 frames side by side
  NineSlice s = Slice(3, 3, 1);
  s.frameCount = 2;
  s.frame = 2;
  const Bitmap32 out = RenderNineSlice(strip, s);
  EXPECT_EQ(out.At(0, 0), P(3, 0));
  EXPECT_EQ(out.At(1, 1), P(4, 1));
  EXPECT_EQ(out.At(2, 2), P(5, 2));
}

TEST(RasterTest, FrameSelectionOnVerticalStrip) {
  const Bitmap32 strip = Numbered(3, 9); // three 3 x 3 frames stacked
  NineSlice s = Slice(3, 3, 1);
  s.orientation = StripOrientation::Vertical;
  s.frameCount = 3;
  s.frame = 3;
  const Bitmap32 out = RenderNineSlice(strip, s);
  EXPECT_EQ(out.At(0, 0), P(0, 6));
  EXPECT_EQ(out.At(2, 2), P(2, 8));
  EXPECT_EQ(FrameCell(strip, StripOrientation::Vertical, 3, 2), (Rect{0, 3, 3, 6}));
}

TEST(RasterTest, MagentaIsTransparent) {
  Bitmap32 image(2, 1);
  image.Set(0, 0, kMagenta);
  image.Set(1, 0, 0x123456);
  Bitmap32 target(3, 1, 0xAAAAAA);
  Blit(target, 1, 0, image, Transparency::Magenta);
  EXPECT_EQ(target.At(0, 0), 0xAAAAAAu);
  EXPECT_EQ(target.At(1, 0), 0xAAAAAAu);
  EXPECT_EQ(target.At(2, 0), 0x123456u);
  Blit(target, 1, 0, image, Transparency::Opaque);
  EXPECT_EQ(target.At(1, 0), kMagenta);
}

TEST(RasterTest, NearMagentaIsNotTransparent) {
  Bitmap32 image(1, 1, 0xFE00FF);
  Bitmap32 target(1, 1, 0);
  Blit(target, 0, 0, image, Transparency::Magenta);
  EXPECT_EQ(target.At(0, 0), 0xFE00FFu);
}

TEST(RasterTest, BlitClipsAtEveryEdge) {
  const Bitmap32 image = Numbered(3, 3);
  Bitmap32 target(2, 2, 0);
  Blit(target, -1, -1, image, Transparency::Opaque);
  EXPECT_EQ(target.At(0, 0), P(1, 1));
  EXPECT_EQ(target.At(1, 1), P(2, 2));
  Blit(target, 5, 5, image, Transparency::Opaque); // entirely outside: nothing
  EXPECT_EQ(target.At(1, 1), P(2, 2));
}

TEST(RasterTest, FrameStretchedFillsTheRectangle) {
  const Bitmap32 strip = Numbered(4, 2); // two 2 x 2 frames
  Bitmap32 target(5, 5, 0);
  DrawFrameStretched(target, Rect{1, 1, 5, 5}, strip, 2, 2, Transparency::Opaque);
  EXPECT_EQ(target.At(0, 0), 0u);
  EXPECT_EQ(target.At(1, 1), P(2, 0));
  EXPECT_EQ(target.At(2, 2), P(2, 0));
  EXPECT_EQ(target.At(4, 4), P(3, 1));
}

TEST(RasterTest, FrameCentredRoundsTowardsZero) {
  const Bitmap32 strip = Numbered(4, 2);
  Bitmap32 target(5, 5, 0);
  DrawFrameCentred(target, Rect{0, 0, 5, 5}, strip, 2, 1, Transparency::Opaque);
  // (5 - 2) / 2 = 1
  EXPECT_EQ(target.At(1, 1), P(0, 0));
  EXPECT_EQ(target.At(2, 2), P(1, 1));
  EXPECT_EQ(target.At(0, 0), 0u);
  EXPECT_EQ(target.At(3, 3), 0u);

  Bitmap32 small(1, 1, 0);
  DrawFrameCentred(small, Rect{0, 0, 1, 1}, strip, 2, 1, Transparency::Opaque);
  EXPECT_EQ(small.At(0, 0), P(0, 0)); // (1 - 2) / 2 rounds to 0
}

TEST(RasterTest, ThreeSliceRepeatsTheMiddle) {
  const Bitmap32 strip = Numbered(5, 1); // margins 1, middle 3 columns
  ThreeSlice s;
  s.left = 1;
  s.right = 1;
  Bitmap32 target(9, 1, 0);
  DrawThreeSlice(target, Rect{0, 0, 9, 1}, strip, s, Transparency::Opaque);
  const int expected[] = {0, 1, 2, 3, 1, 2, 3, 1, 4};
  for (int x = 0; x < 9; ++x)
    EXPECT_EQ(target.At(x, 0), P(expected[x], 0)) << x;
}

TEST(RasterTest, MirrorReversesFramesToo) {
  const Bitmap32 m = MirrorHorizontal(Numbered(4, 2));
  EXPECT_EQ(m.At(0, 0), P(3, 0));
  EXPECT_EQ(m.At(3, 1), P(0, 1));
}

TEST(RasterTest, QuarterTurns) {
  const Bitmap32 src = Numbered(3, 2);
  const Bitmap32 cw = RotateQuarter(src, QuarterTurn::Clockwise);
  ASSERT_EQ(cw.Width(), 2);
  ASSERT_EQ(cw.Height(), 3);
  EXPECT_EQ(cw.At(1, 0), P(0, 0)); // top-left goes to top-right
  EXPECT_EQ(cw.At(0, 0), P(0, 1));
  const Bitmap32 ccw = RotateQuarter(src, QuarterTurn::CounterClockwise);
  EXPECT_EQ(ccw.At(0, 2), P(0, 0)); // top-left goes to bottom-left
  EXPECT_EQ(RotateQuarter(cw, QuarterTurn::CounterClockwise), src);
}

TEST(RasterTest, ShapeRunsSkipTheKeyBand) {
  Bitmap32 b(5, 2, kMagenta);
  b.Set(1, 0, 0x000000);
  b.Set(2, 0, 0x000000);
  b.Set(4, 0, 0xFA05FA); // within tolerance 8 of magenta
  b.Set(0, 1, 0x00FF00);
  b.Set(4, 1, 0x00FF00);
  const auto runs = CollectShapeRuns(b, kMagenta, 8);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0], (Rect{1, 0, 3, 1}));
  EXPECT_EQ(runs[1], (Rect{0, 1, 1, 2}));
  EXPECT_EQ(runs[2], (Rect{4, 1, 5, 2}));
}

TEST(RasterTest, StretchIsNearestNeighbour) {
  const Bitmap32 src = Numbered(2, 1);
  Bitmap32 out(5, 1);
  StretchRect(out, out.Bounds(), src, src.Bounds());
  const int expected[] = {0, 0, 0, 1, 1};
  for (int x = 0; x < 5; ++x)
    EXPECT_EQ(out.At(x, 0), P(expected[x], 0));
  Bitmap32 shrink(2, 1);
  StretchRect(shrink, shrink.Bounds(), Numbered(6, 1), Rect{0, 0, 6, 1});
  EXPECT_EQ(shrink.At(0, 0), P(0, 0));
  EXPECT_EQ(shrink.At(1, 0), P(3, 0));
}

TEST(RasterTest, FillRectBesideTheBitmapFillsNothing) {
  Bitmap32 b(10, 10, 7);
  FillRect(b, {12, 2, 15, 5}, 1); // right of the bitmap
  FillRect(b, {-6, 2, -2, 5}, 1); // left of it
  FillRect(b, {2, 12, 5, 14}, 1); // below it
  EXPECT_EQ(b, Bitmap32(10, 10, 7));
  FillRect(b, {8, -3, 15, 1}, 1); // overlapping a corner
  EXPECT_EQ(b.At(9, 0), 1u);
  EXPECT_EQ(b.At(7, 0), 7u);
}

} // namespace
} // namespace tw
