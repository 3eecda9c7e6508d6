#include "art.h"

namespace tw::skingen {

using namespace palette;

namespace {

constexpr int kBorder = 4;
constexpr int kCaption = 30;
constexpr int kBottom = 5;
constexpr int kSideHeight = 64;

struct FrameLook {
  Rgb outline;
  Rgb band; // the 2-px band across the top of the caption
  Rgb captionTop;
  Rgb captionBottom;
  Rgb body;
  Rgb inner; // the line around the client area
};

FrameLook Look(int frame) {
  if (frame == 1)
    return {kOutline, kAccent, {253, 254, 255}, {237, 241, 246}, kFace, kLineSoft};
  return {kOutlineIdle, {204, 210, 218}, {249, 250, 251}, {240, 242, 245}, kFace, kLineSoft};
}

// One column of the caption as it runs across the top: outline, band, gradient, separator.
void CaptionColumn(Canvas& c, int x, int y0, const FrameLook& look) {
  c.Plot(x, y0, look.outline);
  c.Plot(x, y0 + 1, look.band);
  c.Plot(x, y0 + 2, look.band);
  for (int y = 3; y < kCaption - 1; ++y)
    c.Plot(x, y0 + y, Blend(look.captionTop, look.captionBottom, (y - 3) * 100 / (kCaption - 5)));
  c.Plot(x, y0 + kCaption - 1, look.inner);
}

// The left border; the right one is its mirror image.
Bitmap32 Side() {
  Bitmap32 bitmap(kBorder * 2, kSideHeight);
  Canvas c(bitmap);
  for (int frame = 1; frame <= 2; ++frame) {
    const FrameLook look = Look(frame);
    const int x0 = (frame - 1) * kBorder;
    for (int x = 0; x < kBorder; ++x)
      CaptionColumn(c, x0 + x, 0, look);
    c.Fill(Rect::FromSize(x0, kCaption, kBorder, kSideHeight - kCaption), look.body);
    c.VerticalLine(x0 + kBorder - 1, kCaption - 1, kSideHeight - kBottom + 1, look.inner);
    c.VerticalLine(x0, 0, kSideHeight, look.outline);
    c.HorizontalLine(x0, x0 + kBorder, kSideHeight - 1, look.outline);
  }
  return bitmap;
}

Bitmap32 Mirror(const Bitmap32& source, int frames) {
  // Each frame mirrored in place, so the frame order stays.
  Bitmap32 out(source.Width(), source.Height());
  const int cell = source.Width() / frames;
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x) {
      const int frame = x / cell;
      out.Set(frame * cell + (cell - 1 - x % cell), y, source.At(x, y));
    }
  return out;
}

} // namespace

Bitmap32 FrameLeft() {
  return Side();
}
Bitmap32 FrameRight() {
  return Mirror(Side(), 2);
}

Bitmap32 FrameTop() {
  constexpr int kWidth = 60;
  Bitmap32 bitmap(kWidth, kCaption * 2);
  Canvas c(bitmap);
  for (int frame = 1; frame <= 2; ++frame)
    for (int x = 0; x < kWidth; ++x)
      CaptionColumn(c, x, (frame - 1) * kCaption, Look(frame));
  return bitmap;
}

Bitmap32 FrameBottom() {
  constexpr int kWidth = 20;
  Bitmap32 bitmap(kWidth, kBottom * 2);
  Canvas c(bitmap);
  for (int frame = 1; frame <= 2; ++frame) {
    const FrameLook look = Look(frame);
    const int y0 = (frame - 1) * kBottom;
    c.Fill(Rect::FromSize(0, y0, kWidth, kBottom), look.body);
    c.HorizontalLine(0, kWidth, y0, look.inner);
    c.HorizontalLine(0, kWidth, y0 + kBottom - 1, look.outline);
  }
  return bitmap;
}

Bitmap32 TitleBack() {
  // A small status square left of the caption text; the rest is transparent.
  Bitmap32 bitmap(30, 44, kMagenta);
  Canvas c(bitmap);
  const Rgb colours[] = {kAccent, kMuted};
  for (int frame = 0; frame < 2; ++frame) {
    const Rect dot = Rect::FromSize(2, frame * 22 + 8, 7, 7);
    c.Fill(dot, colours[frame]);
    c.RoundCorners(dot, 1);
  }
  return bitmap;
}

Bitmap32 MenuBar() {
  Bitmap32 bitmap(20, 40);
  Canvas c(bitmap);
  c.VerticalGradient(Rect::FromSize(0, 0, 20, 20), {250, 251, 253}, {241, 244, 248});
  c.HorizontalLine(0, 20, 19, kLineSoft);
  c.VerticalGradient(Rect::FromSize(0, 20, 20, 20), {248, 249, 250}, {243, 245, 247});
  c.HorizontalLine(0, 20, 39, kLineSoft);
  return bitmap;
}

namespace {

constexpr const char* kGlyphClose = "#........#|"
                                    ".#......#.|"
                                    "..#....#..|"
                                    "...#..#...|"
                                    "....##....|"
                                    "....##....|"
                                    "...#..#...|"
                                    "..#....#..|"
                                    ".#......#.|"
                                    "#........#";
constexpr const char* kGlyphMaximize = "##########|"
                                       "##########|"
                                       "#........#|"
                                       "#........#|"
                                       "#........#|"
                                       "#........#|"
                                       "#........#|"
                                       "#........#|"
                                       "#........#|"
                                       "##########";
constexpr const char* kGlyphRestore = "..########|"
                                      "..########|"
                                      "..#......#|"
                                      "########.#|"
                                      "########.#|"
                                      "#......#.#|"
                                      "#......###|"
                                      "#......#..|"
                                      "#......#..|"
                                      "########..";
constexpr const char* kGlyphMinimize = "..........|"
                                       "..........|"
                                       "..........|"
                                       "..........|"
                                       "..........|"
                                       "..........|"
                                       "..........|"
                                       "##########|"
                                       "##########|"
                                       "..........";

} // namespace

Bitmap32 CaptionButton(CaptionGlyph glyph) {
  constexpr int kW = 21;
  constexpr int kH = 20;
  const char* pattern = glyph == CaptionGlyph::Close      ? kGlyphClose
                        : glyph == CaptionGlyph::Maximize ? kGlyphMaximize
                        : glyph == CaptionGlyph::Restore  ? kGlyphRestore
                                                          : kGlyphMinimize;
  const bool close = glyph == CaptionGlyph::Close;
  Bitmap32 bitmap(kW * 4, kH, kMagenta);
  Canvas c(bitmap);
  // Frames: normal, hover, pressed, disabled or inactive.
  const Rgb hoverFill = close ? kDanger : Rgb{224, 230, 238};
  const Rgb pressedFill = close ? kDangerDeep : Rgb{204, 212, 223};
  const Rgb hoverInk = close ? kWhite : kText;
  const Rgb inks[] = {{62, 70, 84}, hoverInk, hoverInk, kMuted};
  for (int frame = 0; frame < 4; ++frame) {
    const Rect cell = Rect::FromSize(frame * kW, 0, kW, kH);
    if (frame == 1 || frame == 2) {
      c.Fill(cell, frame == 1 ? hoverFill : pressedFill);
      c.RoundCorners(cell, 2);
    }
    c.Glyph(cell.left + 5 + (frame == 2 ? 1 : 0), 5 + (frame == 2 ? 1 : 0), pattern, inks[frame]);
  }
  return bitmap;
}

Bitmap32 PushButtons() {
  constexpr int kSize = 24;
  Bitmap32 bitmap(kSize * 5, kSize, kMagenta);
  Canvas c(bitmap);
  struct Look {
    Rgb outline;
    Rgb top;
    Rgb bottom;
    bool ring;
  };
  // Frames: normal, pressed, disabled, hover, focused or default.
  const Look looks[] = {
      {{176, 185, 197}, kWhite, {239, 242, 246}, false},
      {{140, 151, 166}, {224, 229, 236}, {234, 238, 243}, false},
      {{214, 219, 225}, {248, 249, 250}, {245, 246, 248}, false},
      {{118, 158, 214}, kWhite, {231, 240, 252}, false},
      {kAccent, kWhite, {239, 242, 246}, true},
  };
  for (int frame = 0; frame < 5; ++frame) {
    const Look& look = looks[frame];
    const Rect cell = Rect::FromSize(frame * kSize, 0, kSize, kSize);
    c.VerticalGradient(cell, look.top, look.bottom);
    c.Outline(cell, look.outline, true);
    if (look.ring)
      c.Outline(Rect{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1}, {184, 208, 240},
                true);
    c.RoundCorners(cell, 1);
  }
  return bitmap;
}

namespace {

constexpr const char* kCheckMark = "......#|"
                                   ".....##|"
                                   "#...##.|"
                                   "##.##..|"
                                   ".###...|"
                                   "..#....";

} // namespace

Bitmap32 CheckBoxes() {
  constexpr int kSize = 13;
  Bitmap32 bitmap(kSize * 5, kSize, kMagenta);
  Canvas c(bitmap);
  struct Look {
    Rgb outline;
    Rgb fill;
    bool checked;
  };
  // Frames: unchecked, checked, unchecked disabled, checked disabled or grey, unchecked hover.
  const Look looks[] = {
      {{140, 151, 166}, kWhite, false},          {kAccentDeep, kAccent, true},
      {{206, 212, 219}, {246, 247, 249}, false}, {{176, 184, 195}, {190, 198, 208}, true},
      {kAccent, {238, 245, 254}, false},
  };
  for (int frame = 0; frame < 5; ++frame) {
    const Look& look = looks[frame];
    const Rect cell = Rect::FromSize(frame * kSize, 0, kSize, kSize);
    c.Fill(cell, look.fill);
    c.Outline(cell, look.outline, true);
    c.RoundCorners(cell, 1);
    if (look.checked)
      c.Glyph(cell.left + 3, 3, kCheckMark, kWhite);
  }
  return bitmap;
}

Bitmap32 RadioButtons() {
  constexpr int kSize = 13;
  Bitmap32 bitmap(kSize * 5, kSize, kMagenta);
  Canvas c(bitmap);
  struct Look {
    Rgb ring;
    Rgb fill;
    Rgb dot;
    bool on;
  };
  const Look looks[] = {
      {{140, 151, 166}, kWhite, kWhite, false},
      {kAccent, kWhite, kAccent, true},
      {{206, 212, 219}, {246, 247, 249}, kWhite, false},
      {{176, 184, 195}, {246, 247, 249}, {176, 184, 195}, true},
      {kAccent, {238, 245, 254}, kWhite, false},
  };
  for (int frame = 0; frame < 5; ++frame) {
    const Look& look = looks[frame];
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        // Squared distance from the centre, in quarter pixels, for a crisp round ring.
        const int dx = 2 * x - 12;
        const int dy = 2 * y - 12;
        const int d = dx * dx + dy * dy;
        const int px = frame * kSize + x;
        if (d > 156)
          continue;
        if (d > 110)
          c.Plot(px, y, look.ring);
        else if (look.on && d <= 26)
          c.Plot(px, y, look.dot);
        else
          c.Plot(px, y, look.fill);
      }
  }
  return bitmap;
}

} // namespace tw::skingen
