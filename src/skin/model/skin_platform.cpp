#include "skin/model/skin_platform.h"

namespace tw {

PortableSkinPlatform::PortableSkinPlatform() {
  // The classic Windows scheme.
  colours = {
      {SysColour::ScrollBar, MakeColour(212, 208, 200)},
      {SysColour::Menu, MakeColour(212, 208, 200)},
      {SysColour::Window, MakeColour(255, 255, 255)},
      {SysColour::MenuText, MakeColour(0, 0, 0)},
      {SysColour::WindowText, MakeColour(0, 0, 0)},
      {SysColour::CaptionText, MakeColour(255, 255, 255)},
      {SysColour::Highlight, MakeColour(10, 36, 106)},
      {SysColour::HighlightText, MakeColour(255, 255, 255)},
      {SysColour::BtnFace, MakeColour(212, 208, 200)},
      {SysColour::BtnShadow, MakeColour(128, 128, 128)},
      {SysColour::BtnText, MakeColour(0, 0, 0)},
      {SysColour::InactiveCaptionText, MakeColour(212, 208, 200)},
      {SysColour::BtnHighlight, MakeColour(255, 255, 255)},
      {SysColour::DkShadow3D, MakeColour(64, 64, 64)},
  };
  metrics = {
      {SystemMetric::HorzScrollArrowWidth, 16},
      {SystemMetric::VertScrollWidth, 16},
      {SystemMetric::MenuBarHeight, 19},
      {SystemMetric::CaptionHeight, 18},
      {SystemMetric::FrameWidth, 4},
      {SystemMetric::SmallIconWidth, 16},
      {SystemMetric::SmallIconHeight, 16},
  };
}

TColor PortableSkinPlatform::SystemColour(SysColour slot) const {
  const auto it = colours.find(slot);
  return it == colours.end() ? kBlack : it->second;
}

int PortableSkinPlatform::Metric(SystemMetric metric) const {
  const auto it = metrics.find(metric);
  return it == metrics.end() ? 0 : it->second;
}

Bitmap32 PortableSkinPlatform::LoadProgramBitmap(ProgramBitmap which) const {
  if (!programBitmaps)
    return {};
  const Pixel face = ColourToPixel(SystemColour(SysColour::BtnFace));
  const Pixel shadow = ColourToPixel(SystemColour(SysColour::BtnShadow));
  const Pixel light = ColourToPixel(SystemColour(SysColour::BtnHighlight));
  switch (which) {
  case ProgramBitmap::Track:
  case ProgramBitmap::TrackVert: {
    // A sunken channel with 3-pixel ends.
    const bool vertical = which == ProgramBitmap::TrackVert;
    Bitmap32 track(vertical ? 8 : 24, vertical ? 24 : 8, face);
    for (int y = 0; y < track.Height(); ++y)
      for (int x = 0; x < track.Width(); ++x) {
        const bool topLeft = x == 0 || y == 0;
        const bool bottomRight = x == track.Width() - 1 || y == track.Height() - 1;
        if (topLeft)
          track.Set(x, y, shadow);
        else if (bottomRight)
          track.Set(x, y, light);
      }
    return track;
  }
  case ProgramBitmap::MenuGlyphs: {
    // Check mark, radio dot, submenu arrow, a close cross, then minimize, maximize and restore,
    // black on white.
    Bitmap32 glyphs(112, 16, MakePixel(255, 255, 255));
    const Pixel ink = 0;
    for (int i = 0; i < 3; ++i) {
      glyphs.Set(4 + i, 8 + i, ink);
      glyphs.Set(4 + i, 9 + i, ink);
    }
    for (int i = 0; i < 5; ++i) {
      glyphs.Set(7 + i, 10 - i, ink);
      glyphs.Set(7 + i, 9 - i, ink);
    }
    for (int y = 6; y < 10; ++y)
      for (int x = 22; x < 26; ++x)
        glyphs.Set(x, y, ink);
    for (int i = 0; i < 4; ++i)
      for (int y = 4 + i; y < 12 - i; ++y)
        glyphs.Set(38 + i, y, ink);
    for (int i = 0; i < 7; ++i) {
      glyphs.Set(52 + i, 4 + i, ink);
      glyphs.Set(58 - i, 4 + i, ink);
    }
    const auto box = [&](int left, int top, int right, int bottom) {
      for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y)
          if (x == left || x == right - 1 || y == top || y == top + 1 || y == bottom - 1)
            glyphs.Set(x, y, ink);
    };
    for (int x = 68; x < 75; ++x)
      for (int y = 10; y < 12; ++y)
        glyphs.Set(x, y, ink);
    box(84, 4, 93, 12);
    box(101, 4, 108, 10);
    for (int x = 99; x < 106; ++x)
      for (int y = 7; y < 13; ++y)
        glyphs.Set(x, y, MakePixel(255, 255, 255));
    box(99, 7, 106, 13);
    return glyphs;
  }
  }
  return {};
}

Bitmap32 PortableSkinPlatform::ApplicationSmallIcon() const {
  // A plain document glyph over the transparent colour.
  Bitmap32 icon(16, 16, kMagenta);
  for (int y = 1; y < 15; ++y)
    for (int x = 3; x < 13; ++x) {
      const bool edge = x == 3 || x == 12 || y == 1 || y == 14;
      icon.Set(x, y, edge ? MakePixel(64, 64, 64) : MakePixel(255, 255, 255));
    }
  return icon;
}

} // namespace tw
