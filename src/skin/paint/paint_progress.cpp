#include "skin/paint/paint_progress.h"

#include <algorithm>

#include "skin/model/raster.h"

namespace tw {

int ProgressFillWidth(int width, int position, int maximum) {
  if (position <= 0 || maximum <= 0 || width <= 0)
    return 0;
  return static_cast<int>(std::min<long long>(width, 1LL * width * position / maximum));
}

int ProgressRangeFillWidth(int width, int position, int minimum, int maximum) {
  const long long range = 1LL * maximum - minimum;
  if (range <= 0 || width <= 0)
    return 0;
  const long long filled = 1LL * width * (1LL * position - minimum) / range;
  return static_cast<int>(std::clamp<long long>(filled, 0, width));
}

namespace {

// The chunks of Style 1 over the filled width.
void DrawChunks(Bitmap32& bar, const TDataSkinObject& chunk, int filled) {
  const int w = bar.Width();
  const int h = bar.Height();
  if (chunk.Tile == 1) {
    const int x = chunk.LeftWidth + 2;
    const int ch = chunk.Bitmap.Height();
    const int y = (h - ch) / 2;
    const Rect area{x, y, std::min(x + filled, w - x), y + ch};
    if (area.Empty())
      return;
    Bitmap32 tiles(area.Width(), area.Height(), kMagenta);
    TileRect(tiles, tiles.Bounds(), chunk.Bitmap,
             FrameCell(chunk.Bitmap, StripOrientation::Horizontal, chunk.FrameCount, 1));
    Blit(bar, area.left, area.top, tiles, Transparency::Magenta);
    return;
  }
  const Rect area{2, 2, std::min(2 + filled, w - 2), h - 2};
  if (area.Empty())
    return;
  ThreeSlice slice;
  slice.left = chunk.LeftWidth;
  slice.right = chunk.RightWidth;
  slice.frameCount = chunk.FrameCount;
  slice.middle = CentreFill::Stretch;
  DrawThreeSlice(bar, area, chunk.Bitmap, slice, Transparency::Magenta);
}

void PaintLying(Bitmap32& bar, const SkinModel& skin, const TDataSkinObject& progress,
                const ProgressPaint& paint) {
  FillRect(bar, bar.Bounds(), ColourToPixel(skin.ButtonFaceBrush));
  NineSlice slice;
  slice.margins = progress.ElementMargins();
  slice.frameCount = progress.FrameCount;
  if (progress.Style == 1) {
    slice.frame = 1;
    DrawNineSlice(bar, bar.Bounds(), progress.Bitmap, slice, Transparency::Magenta);
    const TDataSkinObject* chunk = skin.Element(SkinElement::ProgressChunk);
    const int filled = ProgressFillWidth(bar.Width(), paint.position, paint.maximum);
    if (chunk != nullptr && !chunk->Bitmap.Empty() && filled > 0)
      DrawChunks(bar, *chunk, filled);
    return;
  }
  slice.frame = 1;
  DrawNineSlice(bar, bar.Bounds(), progress.Bitmap, slice, Transparency::Magenta);
  const int filled =
      ProgressRangeFillWidth(bar.Width(), paint.position, paint.minimum, paint.maximum);
  if (filled > 0) {
    slice.frame = 2;
    DrawNineSlice(bar, Rect{0, 0, filled, bar.Height()}, progress.Bitmap, slice,
                  Transparency::Magenta);
  }
}

} // namespace

Painted ComposeProgress(Bitmap32& target, const SkinModel& skin, const ProgressPaint& paint) {
  const TDataSkinObject* progress = skin.Element(SkinElement::Progress);
  if (progress == nullptr || progress->Bitmap.Empty())
    return Painted::StandardLook;
  if (paint.orientation == BarOrientation::Horizontal) {
    PaintLying(target, skin, *progress, paint);
    return Painted::Skin;
  }
  Bitmap32 lying(target.Height(), target.Width());
  PaintLying(lying, skin, *progress, paint);
  // A counter-clockwise turn brings the bar's start (its left end) to the bottom.
  const Bitmap32 upright = RotateQuarter(lying, QuarterTurn::CounterClockwise);
  CopyRect(target, 0, 0, upright, upright.Bounds());
  return Painted::Skin;
}

} // namespace tw
