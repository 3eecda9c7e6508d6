// skinpreview: renders a sheet of the skin through the drawing primitives, to look at it.
//
//   skinpreview SKIN_STREAM_FILE OUTPUT.bmp
//
// SKIN_STREAM_FILE is the stored-property envelope of a skin (as the build embeds it).

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "font.h"
#include "runtime/seam.h"
#include "skin/model/bmp.h"
#include "skin/model/portable_skin_manager.h"
#include "skin/model/raster.h"
#include "skin/model/skin_data.h"

namespace {

using namespace tw;
using namespace tw::skinpreview;

class Sheet {
public:
  explicit Sheet(const SkinModel& model, const Bitmap32& icon) : m_(model), icon_(icon) {}

  Pixel Colour(SkinColour slot) const { return ColourToPixel(m_.Colour(slot)); }
  const TDataSkinObject* Element(SkinElement e) const { return m_.Element(e); }

  // A window frame with caption, text and caption buttons; the client area is filled.
  void Window(Bitmap32& out, int x, int y, int w, int h, bool active, const std::string& title,
              bool maximizeBox) const {
    Bitmap32 win(w, h, Colour(SkinColour::ButtonFace));
    const TDataSkinBorder& left = m_.Border(BorderSide::Left);
    const TDataSkinBorder& right = m_.Border(BorderSide::Right);
    const TDataSkinBorder& top = m_.Border(BorderSide::Top);
    const TDataSkinBorder& bottom = m_.Border(BorderSide::Bottom);
    const int lw = left.Bitmap.Width() / left.FrameCount;
    const int rw = right.Bitmap.Width() / right.FrameCount;
    const int ch = top.Bitmap.Height() / top.FrameCount;
    const int bh = bottom.Bitmap.Height() / bottom.FrameCount;
    auto side = [&](const TDataSkinBorder& b, Rect to, StripOrientation o) {
      NineSlice s;
      s.margins = b.ElementMargins();
      s.centre = b.Tile != 1 ? CentreFill::Tile : CentreFill::Stretch;
      s.orientation = o;
      s.frameCount = b.FrameCount;
      s.frame = active || b.FrameCount == 1 ? 1 : 2;
      DrawNineSlice(win, to, b.Bitmap, s, Transparency::Opaque);
    };
    side(left, Rect{0, 0, lw, h}, StripOrientation::Horizontal);
    side(right, Rect{w - rw, 0, w, h}, StripOrientation::Horizontal);
    side(bottom, Rect{lw, h - bh, w - rw, h}, StripOrientation::Vertical);
    side(top, Rect{lw, 0, w - rw, ch}, StripOrientation::Vertical);

    // Caption text over its background.
    const TDataSkinTitle& t = m_.Title;
    const std::string text = " " + title;
    const int textWidth = TextWidth(text, true) + t.TXTBackleft + t.TXTBackRight;
    const int tx = t.LeftWidth;
    if (!t.Bitmap.Empty()) {
      const int backHeight = t.Bitmap.Height() / t.FrameCount;
      const int by = (ch - backHeight) / 2;
      ThreeSlice s;
      s.left = t.TXTBackleft;
      s.right = t.TXTBackRight;
      s.orientation = StripOrientation::Vertical;
      s.frameCount = 2;
      s.frame = active ? 1 : 2;
      DrawThreeSlice(win, Rect::FromSize(tx, by, textWidth, backHeight), t.Bitmap, s,
                     Transparency::Magenta);
    }
    const Pixel textColour =
        Colour(active ? SkinColour::TitleTextActive : SkinColour::TitleTextNoActive);
    const int ty = (ch - kFontAscent) / 2 + t.TopHeight / 2;
    DrawText(win, tx + t.TXTBackleft, ty, text, textColour, true);

    for (const TDataSkinSysButton& b : m_.SysButtons) {
      if (b.Align == 100)
        continue;
      const bool maximized = false;
      if ((b.Visibility == 1 && !maximized) || (b.Visibility == 2 && maximized))
        continue;
      if (b.Action == 3 || b.Action == 11) {
        Blit(win, b.XCoord, b.YCoord, icon_, Transparency::Magenta);
        continue;
      }
      if (b.Bitmap.Empty())
        continue;
      const int bw = b.Bitmap.Width() / b.FrameCount;
      const int bx = b.Align == 1 ? w - b.XCoord : b.XCoord;
      const bool enabled = b.Action != 1 || maximizeBox;
      int frame = 1;
      if (!enabled || (!active && b.FrameCount >= 4))
        frame = enabled || b.FrameCount >= 4 ? 4 : 1;
      DrawFrameStretched(win, Rect::FromSize(bx, b.YCoord, bw, b.Bitmap.Height()), b.Bitmap,
                         b.FrameCount, frame, Transparency::Magenta);
    }
    CopyRect(out, x, y, win, win.Bounds());
  }

  void CaptionButtonStates(Bitmap32& out, int x, int y) const {
    // Each caption button in its four frames, over a piece of active caption.
    const TDataSkinBorder& top = m_.Border(BorderSide::Top);
    const int ch = top.Bitmap.Height() / top.FrameCount;
    int bx = x;
    for (const TDataSkinSysButton& b : m_.SysButtons) {
      if (b.Bitmap.Empty() || b.Align == 100)
        continue;
      const int bw = b.Bitmap.Width() / b.FrameCount;
      NineSlice s;
      s.orientation = StripOrientation::Vertical;
      s.frameCount = top.FrameCount;
      DrawNineSlice(out, Rect::FromSize(bx, y, (bw + 4) * 4 + 4, ch), top.Bitmap, s,
                    Transparency::Opaque);
      for (int frame = 1; frame <= b.FrameCount; ++frame)
        DrawFrameStretched(
            out, Rect::FromSize(bx + 4 + (frame - 1) * (bw + 4), y + 5, bw, b.Bitmap.Height()),
            b.Bitmap, b.FrameCount, frame, Transparency::Magenta);
      bx += (bw + 4) * 4 + 14;
    }
  }

  void PushButton(Bitmap32& out, Rect r, int frame, const std::string& caption) const {
    const TDataSkinButton& b = m_.Buttons;
    b.Draw(out, r, frame);
    Pixel ink = ColourToPixel(b.NormalColour2);
    if (frame == 4 && b.MouseOverColour2Given)
      ink = ColourToPixel(b.MouseOverColour2);
    if (frame == 2 && b.PressedColour2Given)
      ink = ColourToPixel(b.PressedColour2);
    if (frame == 3)
      ink = Colour(SkinColour::ButtonShadow);
    const int tw = TextWidth(caption);
    DrawText(out, r.left + (r.Width() - tw) / 2, r.top + (r.Height() - kFontAscent) / 2, caption,
             ink);
  }

  void Glyph(Bitmap32& out, int x, int y, const Bitmap32& strip, int frames, int frame,
             const std::string& caption, bool disabled) const {
    const int size = strip.Width() / frames;
    DrawFrameCentred(out, Rect::FromSize(x, y, size, 16), strip, frames, frame,
                     Transparency::Magenta);
    DrawText(out, x + size + 4, y + 4, caption,
             Colour(disabled ? SkinColour::ButtonShadow : SkinColour::WindowText));
  }

  void TabControl(Bitmap32& out, Rect r, const std::vector<std::string>& tabs, int selected,
                  int hover) const {
    const TDataSkinObject* el = Element(SkinElement::Tabs);
    const TDataSkinObject* pane = Element(SkinElement::TabPane);
    constexpr int kTabHeight = 22;
    int x = r.left + 2;
    const Rect page{r.left, r.top + kTabHeight - 1, r.right, r.bottom};
    if (pane != nullptr) {
      NineSlice s;
      s.margins = el != nullptr && el->Style != 0 ? pane->ElementMargins() : Margins{4, 5, 4, 4};
      DrawNineSlice(out, page, pane->Bitmap, s, Transparency::Opaque);
    }
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
      const int width = TextWidth(tabs[static_cast<std::size_t>(i)]) + 20;
      const bool isSelected = i == selected;
      const Rect tab = isSelected ? Rect::FromSize(x - 2, r.top, width + 4, kTabHeight + 1)
                                  : Rect::FromSize(x, r.top + 2, width, kTabHeight - 2);
      if (el != nullptr)
        el->Draw(out, tab, isSelected ? 2 : (i == hover ? 4 : 1));
      const Pixel ink = ColourToPixel(isSelected ? el->MouseOverColour2 : el->NormalColour2);
      DrawText(out, tab.left + (tab.Width() - TextWidth(tabs[static_cast<std::size_t>(i)])) / 2,
               tab.top + (tab.Height() - kFontAscent) / 2, tabs[static_cast<std::size_t>(i)], ink);
      x += width + 1;
    }
  }

  void ProgressBar(Bitmap32& out, Rect r, int percent) const {
    const TDataSkinObject* bar = Element(SkinElement::Progress);
    const TDataSkinObject* chunk = Element(SkinElement::ProgressChunk);
    if (bar == nullptr)
      return;
    FillRect(out, r, Colour(SkinColour::ButtonFace));
    NineSlice s;
    s.margins = bar->ElementMargins();
    DrawNineSlice(out, r, bar->Bitmap, s, Transparency::Magenta);
    const int filled = r.Width() * percent / 100;
    if (chunk != nullptr && filled > 0) {
      ThreeSlice t;
      t.left = chunk->LeftWidth;
      t.right = chunk->RightWidth;
      t.frameCount = chunk->FrameCount;
      t.middle = CentreFill::Stretch;
      DrawThreeSlice(out, Rect::FromSize(r.left + 2, r.top + 2, filled - 4, r.Height() - 4),
                     chunk->Bitmap, t, Transparency::Magenta);
    }
  }

  void Combo(Bitmap32& out, Rect r, int frame, const std::string& text) const {
    const TDataSkinObject* combo = Element(SkinElement::ComboButton);
    if (combo == nullptr)
      return;
    FillRect(out, r, MakePixel(255, 255, 255));
    NineSlice s;
    s.margins = combo->ElementMargins();
    s.frameCount = combo->FrameCount;
    s.frame = frame;
    DrawNineSlice(out, r, combo->Bitmap, s, Transparency::Magenta);
    DrawText(out, r.left + 5, r.top + (r.Height() - kFontAscent) / 2, text,
             Colour(SkinColour::WindowText));
  }

  void ScrollBar(Bitmap32& out, Rect r, bool vertical, int thumbStart, int thumbLength,
                 int thumbFrame) const {
    const TDataSkinObject* parts = Element(SkinElement::Scrollbar);
    const TDataSkinObject* track =
        Element(vertical ? SkinElement::VertScroll : SkinElement::HorzScroll);
    const TDataSkinObject* thumb =
        Element(vertical ? SkinElement::VertScrollThumb : SkinElement::HorzScrollThumb);
    if (parts == nullptr)
      return;
    FillRect(out, r, Colour(SkinColour::ButtonFace));
    const int arrow = parts->Bitmap.Height();
    const Rect first = vertical ? Rect::FromSize(r.left, r.top, r.Width(), arrow)
                                : Rect::FromSize(r.left, r.top, arrow, r.Height());
    const Rect second = vertical ? Rect{r.left, r.bottom - arrow, r.right, r.bottom}
                                 : Rect{r.right - arrow, r.top, r.right, r.bottom};
    const Rect between = vertical ? Rect{r.left, first.bottom, r.right, second.top}
                                  : Rect{first.right, r.top, second.left, r.bottom};
    if (track != nullptr)
      track->Draw(out, between, 1);
    DrawFrameStretched(out, first, parts->Bitmap, 23, vertical ? 9 : 1, Transparency::Magenta);
    DrawFrameStretched(out, second, parts->Bitmap, 23, vertical ? 13 : 5, Transparency::Magenta);
    if (thumb != nullptr) {
      const Rect t =
          vertical ? Rect::FromSize(r.left, between.top + thumbStart, r.Width(), thumbLength)
                   : Rect::FromSize(between.left + thumbStart, r.top, thumbLength, r.Height());
      thumb->Draw(out, t, thumbFrame);
      const int grip = (vertical ? 20 : 17) + (thumbFrame == 2 ? 1 : thumbFrame == 3 ? 2 : 0);
      DrawFrameCentred(out, t, parts->Bitmap, 23, grip, Transparency::Magenta);
    }
  }

  void Header(Bitmap32& out, Rect r,
              const std::vector<std::pair<std::string, int>>& columns) const {
    const TDataSkinObject* header = Element(SkinElement::Headerbar);
    int x = r.left;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const int width = i + 1 == columns.size() ? r.right - x : columns[i].second;
      const Rect cell = Rect::FromSize(x, r.top, width, r.Height());
      if (header != nullptr)
        header->Draw(out, cell, 1);
      DrawText(out, cell.left + 6, cell.top + (cell.Height() - kFontAscent) / 2, columns[i].first,
               Colour(SkinColour::ButtonText));
      x += width;
    }
  }

  void PopupMenu(Bitmap32& out, Rect r, const std::vector<std::string>& items, int selected) const {
    const TDataSkinObject* back = Element(SkinElement::MenuBackground);
    const TDataSkinObject* item = Element(SkinElement::MenuItem);
    FillRect(out, r, Colour(SkinColour::Menu));
    if (back != nullptr)
      back->Draw(out, r, 1);
    int y = r.top + 3;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      const std::string& text = items[static_cast<std::size_t>(i)];
      if (text == "-") {
        for (int x = r.left + 8; x < r.right - 8; ++x)
          out.Set(x, y + 3, Colour(SkinColour::ButtonShadow));
        y += 7;
        continue;
      }
      const Rect row{r.left + 3, y, r.right - 3, y + 20};
      if (item != nullptr)
        item->Draw(out, row, i == selected ? 4 : 1);
      DrawText(out, row.left + 24, row.top + 6, text, Colour(SkinColour::MenuText));
      y += 20;
    }
  }

private:
  const SkinModel& m_;
  const Bitmap32& icon_;
};

std::vector<std::uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bitmap32 RenderSheet(const TSkinData& data) {
  const SkinModel& m = data.Model();
  Sheet sheet(m, data.SmallIcon());
  Bitmap32 out(1060, 460, MakePixel(214, 220, 228));
  const Pixel white = MakePixel(255, 255, 255);
  const Pixel ink = sheet.Colour(SkinColour::WindowText);

  // The main window: 500 x 300, active, no maximize box (its maximize button shows disabled).
  constexpr int kX = 24;
  constexpr int kY = 24;
  sheet.Window(out, kX, kY, 500, 300, true, "Trailwick - Registry Trace Viewer", false);
  sheet.TabControl(out, Rect{kX + 12, kY + 40, kX + 488, kY + 286},
                   {"Windows", "Other Apps", "Report"}, 0, 1);
  const int px = kX + 24;
  const int py = kY + 72;
  const char* captions[] = {"Normal", "Pressed", "Disabled", "Hover", "Default"};
  for (int i = 0; i < 5; ++i)
    sheet.PushButton(out, Rect::FromSize(px + i * 90, py, 84, 25), i + 1, captions[i]);
  const char* checks[] = {"Sorted", "Checked", "Disabled", "Disabled on", "Hover"};
  for (int i = 0; i < 5; ++i) {
    sheet.Glyph(out, px + (i % 3) * 100, py + 38 + (i / 3) * 20, m.Buttons.CheckBitmap,
                m.Buttons.CheckFrame, i + 1, checks[i], i == 2 || i == 3);
  }
  const char* radios[] = {"TXT", "HTML", "Disabled"};
  for (int i = 0; i < 3; ++i)
    sheet.Glyph(out, px + 300 + (i / 2) * 70, py + 38 + (i % 2) * 20, m.Buttons.RadioBitmap,
                m.Buttons.RadioFrame, i + 1, radios[i], i == 2);
  DrawText(out, px, py + 88, "Progress: 60%", ink);
  sheet.ProgressBar(out, Rect::FromSize(px + 80, py + 84, 340, 16), 60);
  DrawText(out, px, py + 118, "Save as:", ink);
  sheet.Combo(out, Rect::FromSize(px + 80, py + 112, 170, 21), 1, "HTML File (*.html)");
  sheet.Combo(out, Rect::FromSize(px + 260, py + 112, 160, 21), 4, "Text File (*.txt)");

  // A list with a header and a vertical scroll bar.
  const Rect list = Rect::FromSize(px, py + 146, 436, 58);
  FillRect(out, list, white);
  sheet.Header(out, Rect::FromSize(list.left, list.top, list.Width() - 16, 20),
               {{"Name", 150}, {"Value", 0}});
  DrawText(out, list.left + 6, list.top + 26, "a", ink);
  DrawText(out, list.left + 156, list.top + 26, "C:\\Tools\\regview.exe", ink);
  DrawText(out, list.left + 6, list.top + 42, "MRUList", ink);
  DrawText(out, list.left + 156, list.top + 42, "ba", ink);
  sheet.ScrollBar(out, Rect{list.right - 16, list.top, list.right, list.bottom}, true, 4, 20, 1);

  // An inactive window, then the caption buttons in their four frames.
  const int rx = 548;
  sheet.Window(out, rx, 24, 488, 120, false, "Find Target - inactive", true);
  DrawText(out, rx + 16, 70, "Inactive frame, caption text and caption buttons.", ink);
  DrawText(out, rx, 160, "Caption buttons: normal, hover, pressed, disabled", ink);
  sheet.CaptionButtonStates(out, rx, 176);

  // A popup menu, scroll bars in their thumb states, tabs and push buttons side by side.
  sheet.PopupMenu(out, Rect::FromSize(rx, 222, 170, 102),
                  {"Copy Value", "Open Key", "-", "Find Target", "Save Report"}, 1);
  sheet.ScrollBar(out, Rect::FromSize(rx + 190, 222, 16, 102), true, 10, 30, 1);
  sheet.ScrollBar(out, Rect::FromSize(rx + 214, 222, 16, 102), true, 30, 30, 3);
  sheet.ScrollBar(out, Rect::FromSize(rx + 238, 222, 16, 102), true, 50, 20, 2);
  sheet.ScrollBar(out, Rect::FromSize(rx + 270, 222, 200, 16), false, 20, 60, 1);
  sheet.ScrollBar(out, Rect::FromSize(rx + 270, 246, 200, 16), false, 80, 60, 3);
  sheet.ScrollBar(out, Rect::FromSize(rx + 270, 270, 200, 16), false, 120, 40, 2);
  DrawText(out, rx + 270, 298, "Scroll bars: normal, hover, pressed", ink);

  // The maximized-window button set and a larger view of the composed combo strip.
  sheet.Window(out, 24, 348, 500, 90, true, "Maximize box enabled", true);
  const TDataSkinObject* strip = sheet.Element(SkinElement::ComboButton);
  if (strip != nullptr) {
    DrawText(out, rx, 350, "Composed combo strip, 4 frames (magenta shows through):", ink);
    Bitmap32 big(strip->Bitmap.Width() * 2, strip->Bitmap.Height() * 2);
    StretchRect(big, big.Bounds(), strip->Bitmap, strip->Bitmap.Bounds());
    Blit(out, rx, 366, big, Transparency::Opaque);
  }
  return out;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skinpreview SKIN_STREAM_FILE OUTPUT.bmp\n");
    return 2;
  }
  PortableSkinPlatform platform;
  PortableSkinManager manager;
  ScopedSeam<SkinPlatform> platformSeam(platform);
  ScopedSeam<SkinManagerApi> managerSeam(manager);

  const std::vector<std::uint8_t> envelope = ReadFile(argv[1]);
  TSkinData data;
  data.BeginReading();
  data.SetActive(true);
  data.ReadSkinStream(envelope);
  data.Loaded();
  if (data.NoSkin()) {
    std::fprintf(stderr, "skinpreview: %s holds no loadable skin\n", argv[1]);
    return 1;
  }
  const std::vector<std::uint8_t> bmp = WriteBmp24(RenderSheet(data));
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  return out ? 0 : 1;
}
