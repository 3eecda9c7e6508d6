#include "skin/model/raster.h"

#include <algorithm>
#include <cstdlib>

namespace tw {

namespace {

Rect Intersect(Rect a, Rect b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// Source coordinate of destination offset i for a stretch of `from` source pixels onto `to`.
int MapNearest(int i, int from, int to) {
  return static_cast<int>(static_cast<long long>(i) * from / to);
}

} // namespace

Rect FrameCell(const Bitmap32& strip, StripOrientation orientation, int frameCount, int frame) {
  const int n = std::max(frameCount, 1);
  if (orientation == StripOrientation::Horizontal) {
    const int cell = strip.Width() / n;
    return Rect::FromSize(cell * (frame - 1), 0, cell, strip.Height());
  }
  const int cell = strip.Height() / n;
  return Rect::FromSize(0, cell * (frame - 1), strip.Width(), cell);
}

void CopyRect(Bitmap32& dst, int x, int y, const Bitmap32& src, Rect from) {
  // Clip the source to the bitmap, then the destination to its bitmap.
  Rect s = Intersect(from, src.Bounds());
  x += s.left - from.left;
  y += s.top - from.top;
  const Rect d = Intersect(Rect::FromSize(x, y, s.Width(), s.Height()), dst.Bounds());
  if (d.Empty())
    return;
  const int sx = s.left + (d.left - x);
  const int sy = s.top + (d.top - y);
  for (int row = 0; row < d.Height(); ++row) {
    const auto srcRow = src.Row(sy + row).subspan(static_cast<std::size_t>(sx),
                                                  static_cast<std::size_t>(d.Width()));
    std::copy(srcRow.begin(), srcRow.end(), dst.Row(d.top + row).begin() + d.left);
  }
}

void StretchRect(Bitmap32& dst, Rect to, const Bitmap32& src, Rect from) {
  if (to.Empty() || from.Empty())
    return;
  if (to.Width() == from.Width() && to.Height() == from.Height()) {
    CopyRect(dst, to.left, to.top, src, from);
    return;
  }
  const Rect d = Intersect(to, dst.Bounds());
  for (int y = d.top; y < d.bottom; ++y) {
    const int sy = from.top + MapNearest(y - to.top, from.Height(), to.Height());
    if (sy < 0 || sy >= src.Height())
      continue;
    const auto srcRow = src.Row(sy);
    auto dstRow = dst.Row(y);
    for (int x = d.left; x < d.right; ++x) {
      const int sx = from.left + MapNearest(x - to.left, from.Width(), to.Width());
      if (sx >= 0 && sx < src.Width())
        dstRow[static_cast<std::size_t>(x)] = srcRow[static_cast<std::size_t>(sx)];
    }
  }
}

void FillRect(Bitmap32& dst, Rect area, Pixel colour) {
  // An area beside the bitmap intersects to an inverted rectangle: nothing to fill.
  const Rect d = Intersect(area, dst.Bounds());
  if (d.Empty())
    return;
  for (int y = d.top; y < d.bottom; ++y) {
    auto row = dst.Row(y);
    std::fill(row.begin() + d.left, row.begin() + d.right, colour);
  }
}

void TileRect(Bitmap32& dst, Rect area, const Bitmap32& src, Rect from) {
  if (area.Empty() || from.Empty())
    return;
  const Rect d = Intersect(area, dst.Bounds());
  for (int y = d.top; y < d.bottom; ++y) {
    const int sy = from.top + (y - area.top) % from.Height();
    if (sy < 0 || sy >= src.Height())
      continue;
    const auto srcRow = src.Row(sy);
    auto dstRow = dst.Row(y);
    for (int x = d.left; x < d.right; ++x) {
      const int sx = from.left + (x - area.left) % from.Width();
      if (sx >= 0 && sx < src.Width())
        dstRow[static_cast<std::size_t>(x)] = srcRow[static_cast<std::size_t>(sx)];
    }
  }
}

void Blit(Bitmap32& dst, int x, int y, const Bitmap32& image, Transparency transparency) {
  if (transparency == Transparency::Opaque) {
    CopyRect(dst, x, y, image, image.Bounds());
    return;
  }
  const Rect d = Intersect(Rect::FromSize(x, y, image.Width(), image.Height()), dst.Bounds());
  for (int row = d.top; row < d.bottom; ++row) {
    const auto srcRow = image.Row(row - y);
    auto dstRow = dst.Row(row);
    for (int col = d.left; col < d.right; ++col) {
      const Pixel p = srcRow[static_cast<std::size_t>(col - x)];
      if (p != kMagenta)
        dstRow[static_cast<std::size_t>(col)] = p;
    }
  }
}

Bitmap32 RenderNineSlice(const Bitmap32& strip, const NineSlice& slice) {
  const int w = slice.width;
  const int h = slice.height;
  Bitmap32 out(w, h);
  if (out.Empty() || strip.Empty())
    return out;

  const Rect cell = FrameCell(strip, slice.orientation, slice.frameCount, slice.frame);
  int l = slice.margins.left;
  int t = slice.margins.top;
  int r = slice.margins.right;
  int b = slice.margins.bottom;
  if (w < l + r)
    l = r = 0;
  if (h < t + b)
    t = b = 0;

  const int cx = cell.left;
  const int cy = cell.top;
  const int cw = cell.Width();
  const int ch = cell.Height();
  const Rect source = cell;
  auto corner = [&](int dx, int dy, int sx, int sy, int width, int height) {
    if (width > 0 && height > 0)
      CopyRect(out, dx, dy, strip, Intersect(Rect::FromSize(sx, sy, width, height), source));
  };
  auto stretch = [&](Rect to, Rect from) {
    if (from.Width() > 0 && from.Height() > 0)
      StretchRect(out, to, strip, from);
  };

  if (l > 0 && t > 0)
    corner(0, 0, cx, cy, l, t);
  corner(0, h - b, cx, cy + ch - b, l, b);
  corner(w - r, 0, cx + cw - r, cy, r, t);
  stretch(Rect::FromSize(0, t, l, h - t - b), Rect::FromSize(cx, cy + t, l, ch - t - b));
  stretch(Rect::FromSize(l, 0, w - l - r, t), Rect::FromSize(cx + l, cy, cw - l - r, t));
  const Rect centreTo = Rect::FromSize(l, t, w - l - r, h - t - b);
  const Rect centreFrom = Rect::FromSize(cx + l, cy + t, cw - l - r, ch - t - b);
  if (!centreFrom.Empty()) {
    if (slice.centre == CentreFill::Tile)
      TileRect(out, centreTo, strip, centreFrom);
    else
      StretchRect(out, centreTo, strip, centreFrom);
  }
  corner(w - r, h - b, cx + cw - r, cy + ch - b, r, b);
  stretch(Rect::FromSize(w - r, t, r, h - t - b),
          Rect::FromSize(cx + cw - r, cy + t, r, ch - t - b));
  stretch(Rect::FromSize(l, h - b, w - l - r, b),
          Rect::FromSize(cx + l, cy + ch - b, cw - l - r, b));
  return out;
}

void DrawNineSlice(Bitmap32& dst, Rect to, const Bitmap32& strip, NineSlice slice,
                   Transparency transparency) {
  if (strip.Empty())
    return;
  slice.width = to.Width();
  slice.height = to.Height();
  const Bitmap32 rendered = RenderNineSlice(strip, slice);
  Blit(dst, to.left, to.top, rendered, transparency);
}

void DrawFrameStretched(Bitmap32& dst, Rect to, const Bitmap32& strip, int frameCount, int frame,
                        Transparency transparency) {
  if (to.Empty() || strip.Empty())
    return;
  Bitmap32 scaled(to.Width(), to.Height(), kMagenta);
  const Rect cell = FrameCell(strip, StripOrientation::Horizontal, frameCount, frame);
  StretchRect(scaled, scaled.Bounds(), strip, cell);
  Blit(dst, to.left, to.top, scaled, transparency);
}

void DrawFrameCentred(Bitmap32& dst, Rect to, const Bitmap32& strip, int frameCount, int frame,
                      Transparency transparency) {
  const Rect cell = FrameCell(strip, StripOrientation::Horizontal, frameCount, frame);
  if (cell.Empty())
    return;
  Bitmap32 image(cell.Width(), cell.Height(), kMagenta);
  CopyRect(image, 0, 0, strip, cell);
  const int x = to.left + (to.Width() - cell.Width()) / 2;
  const int y = to.top + (to.Height() - cell.Height()) / 2;
  Blit(dst, x, y, image, transparency);
}

void DrawThreeSlice(Bitmap32& dst, Rect to, const Bitmap32& strip, const ThreeSlice& slice,
                    Transparency transparency) {
  if (to.Empty())
    return;
  const Rect cell = FrameCell(strip, slice.orientation, slice.frameCount, slice.frame);
  if (cell.Empty())
    return;
  const int w = to.Width();
  const int h = to.Height();
  Bitmap32 out(w, h, kMagenta);
  const int l = std::clamp(slice.left, 0, cell.Width());
  const int r = std::clamp(slice.right, 0, cell.Width() - l);
  const int step = cell.Width() - l - r;
  const int middleEnd = std::max(w - r, l);
  if (step > 0) {
    const Rect middleFrom = Rect::FromSize(cell.left + l, cell.top, step, cell.Height());
    if (slice.middle == CentreFill::Stretch) {
      StretchRect(out, Rect{l, 0, middleEnd, h}, strip, middleFrom);
    } else {
      for (int x = l; x < middleEnd; x += step) {
        const int width = std::min(step, middleEnd - x);
        StretchRect(out, Rect::FromSize(x, 0, width, h), strip,
                    Rect::FromSize(middleFrom.left, middleFrom.top, width, middleFrom.Height()));
      }
    }
  }
  StretchRect(out, Rect::FromSize(0, 0, std::min(l, w), h), strip,
              Rect::FromSize(cell.left, cell.top, std::min(l, w), cell.Height()));
  const int rightWidth = std::min(r, w);
  StretchRect(out, Rect::FromSize(w - rightWidth, 0, rightWidth, h), strip,
              Rect::FromSize(cell.right - rightWidth, cell.top, rightWidth, cell.Height()));
  Blit(dst, to.left, to.top, out, transparency);
}

Bitmap32 MirrorHorizontal(const Bitmap32& source) {
  Bitmap32 out(source.Width(), source.Height());
  for (int y = 0; y < source.Height(); ++y) {
    const auto from = source.Row(y);
    std::reverse_copy(from.begin(), from.end(), out.Row(y).begin());
  }
  return out;
}

Bitmap32 RotateQuarter(const Bitmap32& source, QuarterTurn turn) {
  const int w = source.Width();
  const int h = source.Height();
  Bitmap32 out(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (turn == QuarterTurn::Clockwise)
        out.Set(h - 1 - y, x, source.At(x, y));
      else
        out.Set(y, w - 1 - x, source.At(x, y));
    }
  return out;
}

std::vector<Rect> CollectShapeRuns(const Bitmap32& source, Pixel key, int tolerance) {
  auto inBand = [&](Pixel p) {
    return std::abs(PixelRed(p) - PixelRed(key)) <= tolerance &&
           std::abs(PixelGreen(p) - PixelGreen(key)) <= tolerance &&
           std::abs(PixelBlue(p) - PixelBlue(key)) <= tolerance;
  };
  std::vector<Rect> runs;
  runs.reserve(500);
  for (int y = 0; y < source.Height(); ++y) {
    const auto row = source.Row(y);
    int x = 0;
    while (x < source.Width()) {
      while (x < source.Width() && inBand(row[static_cast<std::size_t>(x)]))
        ++x;
      const int start = x;
      while (x < source.Width() && !inBand(row[static_cast<std::size_t>(x)]))
        ++x;
      if (x > start)
        runs.push_back({start, y, x, y + 1});
    }
  }
  return runs;
}

} // namespace tw
