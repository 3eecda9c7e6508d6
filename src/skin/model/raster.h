#pragma once
// The element drawing primitives: pure functions over in-memory bitmaps that every painter of
// the skin engine shares. Stretching is nearest-neighbour, as the platform's colour-on-colour
// stretch mode is; magenta marks transparent pixels.

#include <vector>

#include "skin/model/bitmap.h"

namespace tw {

// How the frames of an element bitmap lie: side by side, or stacked.
enum class StripOrientation { Horizontal, Vertical };
enum class CentreFill { Stretch, Tile };
enum class Transparency { Opaque, Magenta };
enum class QuarterTurn { Clockwise, CounterClockwise };

struct Margins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Where frame k (from 1) of an n-frame strip lies in the bitmap.
Rect FrameCell(const Bitmap32& strip, StripOrientation orientation, int frameCount, int frame);

// Copies the pixels of src's rectangle to dst at (x, y); both sides are clipped.
void CopyRect(Bitmap32& dst, int x, int y, const Bitmap32& src, Rect from);
// Stretches src's rectangle onto dst's rectangle by nearest neighbour; pixels outside either
// bitmap are skipped. Empty rectangles draw nothing.
void StretchRect(Bitmap32& dst, Rect to, const Bitmap32& src, Rect from);
void FillRect(Bitmap32& dst, Rect area, Pixel colour);
// Repeats src's rectangle from the area's top-left corner, clipped at the area.
void TileRect(Bitmap32& dst, Rect area, const Bitmap32& src, Rect from);
// Copies the whole image to dst at (x, y), opaquely or leaving magenta pixels out.
void Blit(Bitmap32& dst, int x, int y, const Bitmap32& image, Transparency transparency);

struct NineSlice {
  int width = 0;
  int height = 0;
  Margins margins;
  CentreFill centre = CentreFill::Stretch;
  StripOrientation orientation = StripOrientation::Horizontal;
  int frameCount = 1;
  int frame = 1;
};

// Renders frame k of the strip into a new width x height bitmap: corners 1:1, edges stretched
// along their length, the centre stretched or tiled. Margins that do not fit the target in one
// direction are dropped in that direction.
Bitmap32 RenderNineSlice(const Bitmap32& strip, const NineSlice& slice);

// Renders the nine-slice and draws it over dst's rectangle.
void DrawNineSlice(Bitmap32& dst, Rect to, const Bitmap32& strip, NineSlice slice,
                   Transparency transparency);

// Frame k of a horizontal strip stretched to the whole rectangle.
void DrawFrameStretched(Bitmap32& dst, Rect to, const Bitmap32& strip, int frameCount, int frame,
                        Transparency transparency);
// Frame k of a horizontal strip copied 1:1 and centred in the rectangle (offsets rounded
// towards zero).
void DrawFrameCentred(Bitmap32& dst, Rect to, const Bitmap32& strip, int frameCount, int frame,
                      Transparency transparency);

struct ThreeSlice {
  int left = 0;
  int right = 0;
  StripOrientation orientation = StripOrientation::Horizontal;
  int frameCount = 1;
  int frame = 1;
  CentreFill middle = CentreFill::Tile;
};

// Frame k drawn across the rectangle as left margin, middle and right margin. The middle is
// repeated in steps of the cell width less both margins (or stretched); the frame's rows are
// stretched to the rectangle's height.
void DrawThreeSlice(Bitmap32& dst, Rect to, const Bitmap32& strip, const ThreeSlice& slice,
                    Transparency transparency);

// Left-right mirror of the whole bitmap (frame order reverses too).
Bitmap32 MirrorHorizontal(const Bitmap32& source);
// The bitmap turned by a quarter; width and height exchange.
Bitmap32 RotateQuarter(const Bitmap32& source, QuarterTurn turn);

// Runs of pixels, row by row, whose colour lies outside the band key +- tolerance (per
// channel): the rectangles that make a window region of the bitmap's shape.
std::vector<Rect> CollectShapeRuns(const Bitmap32& source, Pixel key, int tolerance);

} // namespace tw
