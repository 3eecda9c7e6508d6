#include "art.h"

namespace tw::skingen {

using namespace palette;

Bitmap32 ProgressTrough() {
  Bitmap32 bitmap(24, 16, kMagenta);
  Canvas c(bitmap);
  const Rect all = bitmap.Bounds();
  c.VerticalGradient(all, {228, 232, 238}, {240, 243, 247});
  c.Outline(all, kLine, true);
  c.RoundCorners(all, 1);
  return bitmap;
}

Bitmap32 ProgressChunk() {
  Bitmap32 bitmap(12, 12, kMagenta);
  Canvas c(bitmap);
  const Rect all = bitmap.Bounds();
  c.VerticalGradient(all, {78, 148, 226}, {28, 100, 184});
  c.HorizontalLine(1, 11, 0, {120, 176, 238});
  c.RoundCorners(all, 1);
  return bitmap;
}

Bitmap32 Tabs() {
  constexpr int kW = 40;
  constexpr int kH = 24;
  Bitmap32 bitmap(kW * 5, kH, kMagenta);
  Canvas c(bitmap);
  // Frames: normal, selected, disabled, hover, selected.
  for (int frame = 0; frame < 5; ++frame) {
    const Rect cell = Rect::FromSize(frame * kW, 0, kW, kH);
    const bool selected = frame == 1 || frame == 4;
    if (selected) {
      c.Fill(cell, kWhite);
      c.HorizontalLine(cell.left + 1, cell.right - 1, 0, kAccent);
      c.HorizontalLine(cell.left, cell.right, 1, kAccent);
      c.VerticalLine(cell.left, 2, kH, kLine);
      c.VerticalLine(cell.right - 1, 2, kH, kLine);
    } else {
      const Rect body{cell.left, 2, cell.right, kH};
      const Rgb top = frame == 3 ? Rgb{247, 249, 252} : Rgb{238, 241, 245};
      const Rgb bottom = frame == 3 ? Rgb{236, 241, 248} : Rgb{229, 233, 238};
      c.VerticalGradient(body, top, frame == 2 ? top : bottom);
      c.Outline(body, kLine, true);
      c.Plot(body.left, body.top, {255, 0, 255});
      c.Plot(body.right - 1, body.top, {255, 0, 255});
      if (frame == 3)
        c.HorizontalLine(body.left + 1, body.right - 1, body.top, {140, 182, 232});
    }
  }
  return bitmap;
}

Bitmap32 TabPane() {
  Bitmap32 bitmap(16, 16, kWhite.ToPixel());
  Canvas c(bitmap);
  c.Outline(bitmap.Bounds(), kLine);
  return bitmap;
}

Bitmap32 GroupBoxEdge() {
  Bitmap32 bitmap(32, 16, kMagenta);
  Canvas c(bitmap);
  for (int frame = 0; frame < 2; ++frame) {
    const Rect cell = Rect::FromSize(frame * 16, 0, 16, 16);
    c.Outline(cell, frame == 0 ? kLine : kLineSoft, true);
  }
  return bitmap;
}

Bitmap32 GroupBox() {
  Bitmap32 bitmap(16, 16, kMagenta);
  Canvas c(bitmap);
  c.Fill(Rect{1, 1, 15, 15}, {250, 251, 252});
  c.Outline(bitmap.Bounds(), kLineSoft, true);
  return bitmap;
}

Bitmap32 StatusBarEdges() {
  Bitmap32 bitmap(36, 20);
  Canvas c(bitmap);
  // Frames: bar background, panel, size grip.
  c.VerticalGradient(Rect{0, 0, 12, 20}, {246, 248, 250}, {238, 241, 245});
  c.HorizontalLine(0, 12, 0, kLineSoft);
  c.VerticalGradient(Rect{12, 0, 24, 20}, {246, 248, 250}, {238, 241, 245});
  c.VerticalLine(23, 4, 16, kLine);
  c.FillMagenta(Rect{24, 0, 36, 20});
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j <= i; ++j)
      c.Fill(Rect::FromSize(33 - 3 * j, 17 - 3 * (i - j) - 1, 2, 2), {160, 169, 181});
  return bitmap;
}

Bitmap32 ToolBars() {
  constexpr int kSize = 22;
  Bitmap32 bitmap(kSize * 5, kSize, kMagenta);
  Canvas c(bitmap);
  // Frames: flat, hover, pressed, disabled, checked.
  const Rgb fills[] = {{0, 0, 0}, {232, 240, 251}, {212, 225, 243}, {0, 0, 0}, {222, 233, 248}};
  for (int frame : {1, 2, 4}) {
    const Rect cell = Rect::FromSize(frame * kSize, 0, kSize, kSize);
    c.Fill(cell, fills[frame]);
    c.Outline(cell, {150, 184, 228}, true);
    c.RoundCorners(cell, 1);
  }
  return bitmap;
}

namespace {

struct FieldLook {
  Rgb outline;
  Rgb top;
  Rgb bottom;
};

// Frames of the combo box: normal, pressed, disabled, hover or focused.
const FieldLook kFieldLooks[] = {
    {{176, 185, 197}, {250, 251, 252}, {237, 240, 244}},
    {{140, 151, 166}, {222, 228, 236}, {230, 235, 241}},
    {{214, 219, 225}, {247, 248, 250}, {244, 246, 248}},
    {kAccent, {244, 248, 254}, {229, 238, 251}},
};

} // namespace

Bitmap32 ComboButton() {
  constexpr int kW = 18;
  constexpr int kH = 21;
  Bitmap32 bitmap(kW * 4, kH, kMagenta);
  Canvas c(bitmap);
  for (int frame = 0; frame < 4; ++frame) {
    const FieldLook& look = kFieldLooks[frame];
    const Rect cell = Rect::FromSize(frame * kW, 0, kW, kH);
    c.VerticalGradient(Rect{cell.left + 1, 1, cell.right - 1, kH - 1}, look.top, look.bottom);
    c.VerticalLine(cell.left, 4, kH - 4, frame == 3 ? Rgb{170, 198, 236} : kLineSoft);
    c.HorizontalLine(cell.left, cell.right - 1, 0, look.outline);
    c.HorizontalLine(cell.left, cell.right - 1, kH - 1, look.outline);
    c.VerticalLine(cell.right - 1, 1, kH - 1, look.outline);
    c.Plot(cell.left, 1, kWhite);
    c.Plot(cell.left, kH - 2, kWhite);
    c.Plot(cell.left, 2, kWhite);
    c.Plot(cell.left, kH - 3, kWhite);
    c.Plot(cell.left, 3, kWhite);
    c.Plot(cell.left, kH - 4, kWhite);
  }
  return bitmap;
}

Bitmap32 SunkEdge() {
  constexpr int kW = 12;
  constexpr int kH = 21;
  Bitmap32 bitmap(kW * 4, kH, kMagenta);
  Canvas c(bitmap);
  for (int frame = 0; frame < 4; ++frame) {
    const FieldLook& look = kFieldLooks[frame];
    const Rect cell = Rect::FromSize(frame * kW, 0, kW, kH);
    c.Fill(cell, frame == 2 ? Rgb{248, 249, 250} : kWhite);
    c.Outline(cell, look.outline, true);
    c.RoundCorners(cell, 1);
  }
  return bitmap;
}

Bitmap32 ExtraImages() {
  constexpr int kSize = 11;
  Bitmap32 bitmap(kSize * 5, kSize, kMagenta);
  Canvas c(bitmap);
  const Rgb inks[] = {{70, 80, 94}, {32, 40, 52}, kMuted, kAccent, {70, 80, 94}};
  for (int frame = 0; frame < 5; ++frame)
    c.Glyph(frame * kSize + 2, 3,
            "#.....#|"
            "##...##|"
            ".##.##.|"
            "..###..|"
            "...#...",
            inks[frame]);
  return bitmap;
}

Bitmap32 Headerbar() {
  constexpr int kW = 20;
  constexpr int kH = 22;
  Bitmap32 bitmap(kW * 4, kH);
  Canvas c(bitmap);
  // Frames: normal, hover, pressed, sorted.
  const Rgb tops[] = {kWhite, {246, 250, 255}, {226, 232, 240}, kWhite};
  const Rgb bottoms[] = {{240, 243, 247}, {228, 238, 251}, {234, 238, 243}, {236, 242, 250}};
  for (int frame = 0; frame < 4; ++frame) {
    const Rect cell = Rect::FromSize(frame * kW, 0, kW, kH);
    c.VerticalGradient(cell, tops[frame], bottoms[frame]);
    c.HorizontalLine(cell.left, cell.right, kH - 1, kLine);
    c.VerticalLine(cell.right - 1, 4, kH - 4, kLineSoft);
    if (frame == 3)
      c.HorizontalLine(cell.left, cell.right, kH - 2, kAccent);
  }
  return bitmap;
}

Bitmap32 MenuItem() {
  constexpr int kSize = 20;
  Bitmap32 bitmap(kSize * 5, kSize, kMagenta);
  Canvas c(bitmap);
  // Frame 1 lets the menu background through; the others mark the selected item.
  for (int frame = 1; frame < 5; ++frame) {
    const Rect cell = Rect::FromSize(frame * kSize, 0, kSize, kSize);
    c.Fill(cell, frame == 2 ? Rgb{240, 242, 245} : kAccentSoft);
    c.Outline(cell, frame == 2 ? kLineSoft : Rgb{160, 192, 234}, true);
    c.RoundCorners(cell, 1);
  }
  return bitmap;
}

Bitmap32 MenuBackground() {
  Bitmap32 bitmap(16, 16, kWhite.ToPixel());
  Canvas c(bitmap);
  c.Outline(bitmap.Bounds(), {168, 176, 188});
  c.Outline(Rect{1, 1, 15, 15}, kWhite);
  c.Outline(Rect{2, 2, 14, 14}, {250, 251, 252});
  return bitmap;
}

namespace {

constexpr const char* kArrowLeft = "...#|..##|.###|####|.###|..##|...#";
constexpr const char* kArrowRight = "#...|##..|###.|####|###.|##..|#...";
constexpr const char* kArrowUp = "...#...|..###..|.#####.|#######";
constexpr const char* kArrowDown = "#######|.#####.|..###..|...#...";

} // namespace

Bitmap32 ScrollbarParts() {
  constexpr int kSize = 16;
  Bitmap32 bitmap(kSize * 23, kSize, kMagenta);
  Canvas c(bitmap);
  // Four arrow groups of normal, pressed, spare, hover.
  const char* glyphs[] = {kArrowLeft, kArrowRight, kArrowUp, kArrowDown};
  const Rgb fills[] = {kTrack, {206, 214, 225}, kTrack, {224, 230, 238}};
  const Rgb inks[] = {{104, 114, 128}, {32, 40, 52}, {104, 114, 128}, kAccent};
  for (int group = 0; group < 4; ++group) {
    const bool horizontal = group < 2;
    for (int state = 0; state < 4; ++state) {
      const int frame = group * 4 + state;
      const Rect cell = Rect::FromSize(frame * kSize, 0, kSize, kSize);
      c.Fill(cell, fills[state]);
      const int gx = cell.left + (horizontal ? 6 : 4);
      const int gy = horizontal ? 4 : 6;
      c.Glyph(gx, gy, glyphs[group], inks[state]);
    }
  }
  // Grips: horizontal thumbs (frames 17-19), vertical thumbs (20-22).
  const Rgb gripInks[] = {{120, 130, 144}, kWhite, {92, 102, 116}};
  for (int state = 0; state < 3; ++state) {
    const int h = (16 + state) * kSize;
    const int v = (19 + state) * kSize;
    c.FillMagenta(Rect::FromSize(h, 0, kSize, kSize));
    c.FillMagenta(Rect::FromSize(v, 0, kSize, kSize));
    for (int i = 0; i < 3; ++i) {
      c.VerticalLine(h + 5 + 2 * i, 5, 11, gripInks[state]);
      c.HorizontalLine(v + 5, v + 11, 5 + 2 * i, gripInks[state]);
    }
  }
  return bitmap;
}

Bitmap32 ScrollTrack(bool vertical) {
  constexpr int kSize = 16;
  Bitmap32 bitmap(kSize * 4, kSize);
  Canvas c(bitmap);
  // Frames: enabled, pressed, disabled, hover.
  const Rgb fills[] = {kTrack, {228, 232, 238}, {246, 247, 249}, {233, 237, 242}};
  for (int frame = 0; frame < 4; ++frame) {
    const Rect cell = Rect::FromSize(frame * kSize, 0, kSize, kSize);
    c.Fill(cell, fills[frame]);
    if (vertical)
      c.VerticalLine(cell.left, 0, kSize, {226, 230, 236});
    else
      c.HorizontalLine(cell.left, cell.right, 0, {226, 230, 236});
  }
  return bitmap;
}

Bitmap32 ScrollThumb(bool vertical) {
  constexpr int kSize = 16;
  Bitmap32 bitmap(kSize * 3, kSize, kMagenta);
  Canvas c(bitmap);
  // Frames: normal, pressed, hover.
  const Rgb fills[] = {{194, 201, 211}, {112, 150, 204}, {170, 179, 192}};
  for (int frame = 0; frame < 3; ++frame) {
    const Rect cell = Rect::FromSize(frame * kSize, 0, kSize, kSize);
    const Rect body = vertical ? Rect{cell.left + 3, 1, cell.right - 3, kSize - 1}
                               : Rect{cell.left + 1, 3, cell.right - 1, kSize - 3};
    c.Fill(body, fills[frame]);
    c.RoundCorners(body, 2);
  }
  return bitmap;
}

Bitmap32 TrackbarThumb(bool vertical) {
  const int w = vertical ? 19 : 11;
  const int h = vertical ? 11 : 19;
  Bitmap32 bitmap(w * 5, h, kMagenta);
  Canvas c(bitmap);
  // Frames: normal, hover, pressed, disabled, focused.
  const Rgb outlines[] = {{140, 151, 166}, kAccent, kAccentDeep, {206, 212, 219}, kAccent};
  const Rgb bottoms[] = {
      {236, 240, 245}, {228, 238, 251}, {206, 220, 240}, {246, 247, 249}, {236, 240, 245}};
  for (int frame = 0; frame < 5; ++frame) {
    const Rect cell = Rect::FromSize(frame * w, 0, w, h);
    c.VerticalGradient(cell, kWhite, bottoms[frame]);
    c.Outline(cell, outlines[frame], true);
    c.RoundCorners(cell, 1);
  }
  return bitmap;
}

Bitmap32 UpDownButtons(bool vertical) {
  const int w = vertical ? 16 : 12;
  const int h = vertical ? 12 : 16;
  Bitmap32 bitmap(w * 8, h, kMagenta);
  Canvas c(bitmap);
  // Frames 1-4 the first half, 5-8 the second: normal, hover, pressed, disabled.
  const Rgb outlines[] = {{150, 160, 173}, kAccent, kAccentDeep, {206, 212, 219}};
  const Rgb bottoms[] = {{232, 236, 241}, {222, 234, 250}, {204, 218, 238}, {246, 247, 249}};
  for (int frame = 0; frame < 8; ++frame) {
    const Rect cell = Rect::FromSize(frame * w, 0, w, h);
    const Rgb top = frame % 4 == 2 ? Rgb{214, 226, 242} : kWhite;
    c.VerticalGradient(cell, top, bottoms[frame % 4]);
    c.Outline(cell, outlines[frame % 4], true);
  }
  return bitmap;
}

Bitmap32 UpDownGlyphs(bool vertical) {
  constexpr int kSize = 8;
  Bitmap32 bitmap(kSize * 2, kSize, kMagenta);
  Canvas c(bitmap);
  const Rgb ink{70, 80, 94};
  if (vertical) {
    c.Glyph(1, 2, "...#...|..###..|.#####.", ink);
    c.Glyph(kSize + 1, 3, ".#####.|..###..|...#...", ink);
  } else {
    c.Glyph(2, 1, "..#|.##|###|.##|..#", ink);
    c.Glyph(kSize + 3, 1, "#..|##.|###|##.|#..", ink);
  }
  return bitmap;
}

Bitmap32 TrackChannel(bool vertical) {
  const int w = vertical ? 8 : 24;
  const int h = vertical ? 24 : 8;
  Bitmap32 bitmap(w, h, MakePixel(232, 236, 241));
  Canvas c(bitmap);
  c.Outline(bitmap.Bounds(), kLine, true);
  c.RoundCorners(bitmap.Bounds(), 1);
  return bitmap;
}

Bitmap32 MenuGlyphStrip() {
  // Check mark, radio dot, submenu arrow, close cross, then the system menu's minimize bar,
  // maximize box and restore boxes: black ink on white (the mask colour).
  Bitmap32 bitmap(112, 16, MakePixel(255, 255, 255));
  Canvas c(bitmap);
  const Rgb ink{0, 0, 0};
  c.Glyph(4, 5, "......#|.....##|#...##.|##.##..|.###...|..#....", ink);
  c.Fill(Rect{21, 6, 27, 10}, ink);
  c.Fill(Rect{22, 5, 26, 11}, ink);
  c.Glyph(38, 4, "#...|##..|###.|####|###.|##..|#...", ink);
  c.Glyph(52, 4, "#.....#|.#...#.|..#.#..|...#...|..#.#..|.#...#.|#.....#", ink);
  c.Fill(Rect{68, 10, 75, 12}, ink);
  c.Outline(Rect{84, 4, 93, 12}, ink);
  c.HorizontalLine(84, 93, 5, ink);
  c.Outline(Rect{101, 4, 108, 10}, ink);
  c.HorizontalLine(101, 108, 5, ink);
  c.Fill(Rect{99, 7, 106, 13}, Rgb{255, 255, 255});
  c.Outline(Rect{99, 7, 106, 13}, ink);
  c.HorizontalLine(99, 106, 8, ink);
  return bitmap;
}

} // namespace tw::skingen
