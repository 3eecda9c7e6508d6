// skingallery: composes every skinned control kind through the control painters, in its
// states, onto one sheet, to look at the family at once.
//
//   skingallery SKIN_STREAM_FILE OUTPUT.bmp

#include <algorithm>
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
#include "skin/paint/paint_check.h"
#include "skin/paint/paint_combo.h"
#include "skin/paint/paint_panels.h"
#include "skin/paint/paint_progress.h"
#include "skin/paint/paint_scroll.h"
#include "skin/paint/paint_tab.h"

namespace {

using namespace tw;
using namespace tw::skinpreview;

constexpr int kLineHeight = 12;

// The preview font behind the painters' text interface.
class PixelFontPainter : public TextPainter {
public:
  TextSize Measure(std::string_view text, int maxWidth, TextWrap wrap) const override {
    const auto lines = Lines(text, maxWidth, wrap);
    int width = 0;
    for (const auto& line : lines)
      width = std::max(width, TextWidth(line));
    return {width, static_cast<int>(lines.size()) * kLineHeight};
  }
  void Draw(Bitmap32& target, Rect rect, std::string_view text, TColor colour,
            const TextFormat& format) override {
    int y = rect.top + 2;
    for (const auto& line : Lines(text, rect.Width(), format.wrap)) {
      const int width = TextWidth(line);
      int x = rect.left;
      if (format.align == TextAlign::Centre)
        x += (rect.Width() - width) / 2;
      else if (format.align == TextAlign::Right)
        x = rect.right - width;
      Bitmap32 clip(rect.Width(), rect.Height(), kMagenta);
      DrawText(clip, x - rect.left, y - rect.top, line, ColourToPixel(colour));
      Blit(target, rect.left, rect.top, clip, Transparency::Magenta);
      y += kLineHeight;
    }
  }

private:
  static std::vector<std::string> Lines(std::string_view text, int maxWidth, TextWrap wrap) {
    std::vector<std::string> out;
    std::string current;
    std::string word;
    auto flushWord = [&] {
      if (word.empty())
        return;
      const std::string joined = current.empty() ? word : current + " " + word;
      if (wrap == TextWrap::WordWrap && !current.empty() && TextWidth(joined) > maxWidth) {
        out.push_back(current);
        current = word;
      } else {
        current = joined;
      }
      word.clear();
    };
    for (const char ch : text) {
      if (ch == '\r')
        continue;
      if (ch == '\n' && wrap == TextWrap::WordWrap) {
        flushWord();
        out.push_back(current);
        current.clear();
      } else if (ch == ' ') {
        flushWord();
      } else {
        word += ch;
      }
    }
    flushWord();
    out.push_back(current);
    return out;
  }
};

class Gallery {
public:
  Gallery(const SkinModel& skin, Bitmap32& sheet) : skin_(skin), sheet_(sheet) {}

  void Label(int x, int y, const std::string& text) {
    DrawText(sheet_, x, y, text, MakePixel(32, 40, 52));
  }

  void Button(int x, int y, const std::string& caption, PushButtonState state) {
    Bitmap32 b(84, 25);
    PushButtonPaint paint;
    paint.state = state;
    paint.caption = caption;
    paint.fontColour = skin_.Colour(SkinColour::ButtonText);
    ComposePushButton(b, skin_, paint, text_);
    Place(b, x, y);
  }

  void Check(int x, int y, CheckKind kind, int frame, const std::string& caption,
             ControlEnabled enabled, GlyphSide side = GlyphSide::Left,
             ControlFocus focus = ControlFocus::Unfocused) {
    Bitmap32 b(110, 17);
    CheckPaint paint;
    paint.kind = kind;
    paint.frame = frame;
    paint.caption = caption;
    paint.enabled = enabled;
    paint.side = side;
    paint.focus = focus;
    paint.fontColour = skin_.Colour(SkinColour::ButtonText);
    ComposeCheck(b, skin_, paint, text_);
    Place(b, x, y);
  }

  void Combo(int x, int y, const std::string& item, ComboState state,
             LayoutDirection direction = LayoutDirection::LeftToRight) {
    Bitmap32 b(150, 21, MakePixel(255, 255, 255));
    const bool rtl = direction == LayoutDirection::RightToLeft;
    text_.Draw(b, {rtl ? 22 : 5, 3, rtl ? 145 : 128, 18}, item,
               state.enabled == ControlEnabled::Enabled ? kBlack : DisabledTextColour(),
               {TextWrap::SingleLine, rtl ? TextAlign::Right : TextAlign::Left});
    ComboPaint paint;
    paint.state = state;
    paint.direction = direction;
    ComposeCombo(b, skin_, paint);
    Place(b, x, y);
  }

  void Progress(int x, int y, int w, int h, int position, BarOrientation orientation) {
    Bitmap32 b(w, h);
    ProgressPaint paint;
    paint.maximum = 34;
    paint.position = position;
    paint.orientation = orientation;
    ComposeProgress(b, skin_, paint);
    Place(b, x, y);
  }

  void Tabs(int x, int y, int w, int h, TabPosition position, TabCloseBoxes close) {
    Bitmap32 b(w, h);
    TabPaint paint;
    paint.position = position;
    paint.focused = 1;
    paint.closeBoxes = close;
    paint.background = skin_.ButtonFaceBrush;
    const char* names[] = {"Windows", "Other Apps", "Report"};
    constexpr int kStrip = 24;
    for (int i = 0; i < 3; ++i) {
      const int from = 4 + i * 72;
      Rect tab;
      switch (position) {
      case TabPosition::Top:
        tab = {from, 2, from + 72, 2 + kStrip};
        break;
      case TabPosition::Bottom:
        tab = {from, h - 2 - kStrip, from + 72, h - 2};
        break;
      case TabPosition::Left:
        tab = {2, from, 2 + kStrip, from + 72};
        break;
      case TabPosition::Right:
        tab = {w - 2 - kStrip, from, w - 2, from + 72};
        break;
      }
      paint.tabs.push_back({tab, names[i]});
    }
    switch (position) {
    case TabPosition::Top:
      paint.adjusted = {4, kStrip + 7, w - 4, h - 4};
      break;
    case TabPosition::Bottom:
      paint.adjusted = {4, 4, w - 4, h - kStrip - 7};
      break;
    case TabPosition::Left:
      paint.adjusted = {kStrip + 7, 4, w - 4, h - 4};
      break;
    case TabPosition::Right:
      paint.adjusted = {4, 4, w - kStrip - 7, h - 4};
      break;
    }
    ComposeTabs(b, skin_, paint, text_);
    Place(b, x, y);
  }

  void ScrollBar(int x, int y, int w, int h, BarOrientation orientation, int thumbFrom, int thumbTo,
                 int hot, ButtonHeld held) {
    Bitmap32 b(w, h);
    ScrollBarPaint paint;
    paint.orientation = orientation;
    paint.info.bar = Rect::FromSize(x, y, w, h);
    paint.info.thumbTop = thumbFrom;
    paint.info.thumbBottom = thumbTo;
    paint.hotPart = hot;
    paint.held = held;
    ComposeScrollBar(b, skin_, paint);
    Place(b, x, y);
  }

  void Panels(int x, int y) {
    Bitmap32 edit(140, 21, MakePixel(255, 255, 255));
    text_.Draw(edit, {5, 3, 135, 18}, "C:\\Reports", kBlack, {});
    ComposeEditFrame(edit, skin_, HasBorder::Yes);
    Place(edit, x, y);

    Bitmap32 group(200, 70);
    ComposeGroupBox(group, skin_, {"Report format", ControlEnabled::Enabled, kBlack}, text_);
    Place(group, x + 160, y - 6);

    Bitmap32 header(300, 20);
    HeaderPaint headers;
    headers.sections = {{{0, 0, 150, 20}, "Key", SectionState::Normal},
                        {{150, 0, 240, 20}, "Value", SectionState::Hovered}};
    headers.fontColour = skin_.Colour(SkinColour::ButtonText);
    ComposeHeader(header, skin_, headers, text_);
    Place(header, x + 380, y);

    Bitmap32 status(360, 22);
    StatusBarPaint bar;
    bar.panels = {{{2, 2, 160, 20}, "Total Items : 12"}, {{162, 2, 330, 20}, "Ready"}};
    bar.grip = SizeGrip::Shown;
    ComposeStatusBar(status, skin_, bar, text_);
    Place(status, x + 380, y + 40);

    Bitmap32 track(200, 30);
    TrackBarPaint trackPaint;
    trackPaint.channel = {8, 12, 192, 18};
    trackPaint.thumb = {60, 5, 71, 24};
    trackPaint.thumbState = ThumbState::Hovered;
    ComposeTrackBar(track, skin_, trackPaint);
    Place(track, x, y + 40);

    Bitmap32 vtrack(30, 100);
    TrackBarPaint vtrackPaint;
    vtrackPaint.orientation = BarOrientation::Vertical;
    vtrackPaint.channel = {12, 8, 18, 92};
    vtrackPaint.thumb = {5, 40, 24, 51};
    ComposeTrackBar(vtrack, skin_, vtrackPaint);
    Place(vtrack, x + 760, y);

    Bitmap32 updown(16, 24, MakePixel(255, 0, 0));
    if (ComposeUpDown(updown, skin_, {}) == Painted::StandardLook)
      Label(x + 800, y + 4, "no UpDown");
    else
      Place(updown, x + 800, y);

    Bitmap32 grip(16, 16);
    ComposeSizer(grip, skin_);
    Place(grip, x + 800, y + 40);

    Bitmap32 sheetPage(120, 50);
    ComposeTabSheet(sheetPage, skin_, {0, 0, 140, 70}, 10, 10);
    Place(sheetPage, x + 220, y + 70);
  }

private:
  void Place(const Bitmap32& b, int x, int y) { Blit(sheet_, x, y, b, Transparency::Opaque); }

  const SkinModel& skin_;
  Bitmap32& sheet_;
  PixelFontPainter text_;
};

Bitmap32 RenderGallery(const SkinModel& skin) {
  Bitmap32 sheet(900, 720, ColourToPixel(skin.ButtonFaceBrush));
  Gallery g(skin, sheet);
  constexpr auto On = ControlEnabled::Enabled;
  constexpr auto Off = ControlEnabled::Disabled;

  g.Label(16, 10, "Push buttons: normal, hover, pressed, focused, default, disabled, two lines");
  const PushButtonState states[] = {
      {},
      {kButtonHover, On, ControlFocus::Unfocused, ButtonDefault::Plain},
      {kButtonPressed | kButtonHover, On, ControlFocus::Unfocused, ButtonDefault::Plain},
      {0, On, ControlFocus::Focused, ButtonDefault::Plain},
      {0, On, ControlFocus::Unfocused, ButtonDefault::Default},
      {0, Off, ControlFocus::Unfocused, ButtonDefault::Plain},
  };
  const char* captions[] = {"Normal", "Hover", "Pressed", "Focused", "Default", "Disabled"};
  for (int i = 0; i < 6; ++i)
    g.Button(16 + i * 92, 24, captions[i], states[i]);
  g.Button(16 + 6 * 92, 24, "Save||All", {});

  g.Label(16, 62, "Check boxes and radio buttons");
  CheckBoxState check;
  const struct {
    CheckState window;
    ControlEnabled enabled;
    const char* caption;
  } checks[] = {{CheckState::Unchecked, On, "Unchecked"},
                {CheckState::Checked, On, "Checked"},
                {CheckState::Unchecked, Off, "Disabled"},
                {CheckState::Checked, Off, "Disabled on"},
                {CheckState::Indeterminate, On, "Greyed"}};
  int x = 16;
  for (const auto& c : checks) {
    check.window = c.window;
    check.enabled = c.enabled;
    g.Check(x, 78, CheckKind::CheckBox, CheckBoxFrame(check, skin.Buttons.CheckFrame), c.caption,
            c.enabled);
    x += 116;
  }
  RadioButtonState radio;
  g.Check(16, 100, CheckKind::RadioButton, RadioButtonFrame(radio, skin.Buttons.RadioFrame), "TXT",
          On);
  radio.window = CheckState::Checked;
  g.Check(132, 100, CheckKind::RadioButton, RadioButtonFrame(radio, skin.Buttons.RadioFrame),
          "HTML", On, GlyphSide::Left, ControlFocus::Focused);
  radio.enabled = Off;
  g.Check(248, 100, CheckKind::RadioButton, RadioButtonFrame(radio, skin.Buttons.RadioFrame),
          "Disabled", Off);
  g.Check(364, 100, CheckKind::CheckBox, 2, "Left text", On, GlyphSide::Right);

  g.Label(16, 130, "Combo boxes: normal, focused, pressed, disabled, right-to-left");
  g.Combo(16, 146, "HTML File (*.html)", {});
  g.Combo(176, 146, "Text File (*.txt)", {ComboPressed::Released, ControlFocus::Focused});
  g.Combo(336, 146, "Text File (*.txt)", {ComboPressed::Pressed});
  g.Combo(496, 146, "HTML File (*.html)",
          {ComboPressed::Released, ControlFocus::Unfocused, ComboHover::Outside, Off});
  g.Combo(656, 146, "Text File", {}, LayoutDirection::RightToLeft);

  g.Label(16, 180, "Progress bars: 0, 12 and 34 of 34; vertical");
  g.Progress(16, 196, 260, 16, 0, BarOrientation::Horizontal);
  g.Progress(16, 218, 260, 16, 12, BarOrientation::Horizontal);
  g.Progress(16, 240, 260, 16, 34, BarOrientation::Horizontal);
  g.Progress(290, 196, 16, 60, 12, BarOrientation::Vertical);
  g.Progress(312, 196, 16, 60, 34, BarOrientation::Vertical);

  g.Label(350, 180, "Scroll bars: hover arrow, pressed thumb, hover thumb, short bar");
  g.ScrollBar(350, 196, 220, 16, BarOrientation::Horizontal, 40, 100, kPartFirstArrow,
              ButtonHeld::Up);
  g.ScrollBar(350, 218, 220, 16, BarOrientation::Horizontal, 80, 140, kPartThumb, ButtonHeld::Down);
  g.ScrollBar(580, 196, 16, 100, BarOrientation::Vertical, 20, 50, kPartThumb, ButtonHeld::Up);
  g.ScrollBar(604, 196, 16, 100, BarOrientation::Vertical, 50, 70, kPartSecondArrow,
              ButtonHeld::Down);
  g.ScrollBar(628, 196, 16, 24, BarOrientation::Vertical, 0, 0, kPartNone, ButtonHeld::Up);

  g.Label(16, 300, "Tabs: top with close boxes, bottom, left, right (second tab focused)");
  g.Tabs(16, 316, 240, 120, TabPosition::Top, TabCloseBoxes::Shown);
  g.Tabs(266, 316, 240, 120, TabPosition::Bottom, TabCloseBoxes::Hidden);
  g.Tabs(516, 316, 120, 240, TabPosition::Left, TabCloseBoxes::Hidden);
  g.Tabs(646, 316, 120, 240, TabPosition::Right, TabCloseBoxes::Hidden);

  g.Label(16, 572, "Edit, group box, header, status bar, track bars, up-down, size grip, sheet");
  g.Panels(16, 596);
  return sheet;
}

std::vector<std::uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skingallery SKIN_STREAM_FILE OUTPUT.bmp\n");
    return 2;
  }
  PortableSkinPlatform platform;
  PortableSkinManager manager;
  ScopedSeam<SkinPlatform> platformSeam(platform);
  ScopedSeam<SkinManagerApi> managerSeam(manager);

  TSkinData data;
  data.BeginReading();
  data.ReadSkinStream(ReadFile(argv[1]));
  data.Loaded();
  if (data.NoSkin()) {
    std::fprintf(stderr, "skingallery: %s holds no loadable skin\n", argv[1]);
    return 1;
  }
  const std::vector<std::uint8_t> bmp = WriteBmp24(RenderGallery(data.Model()));
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  return out ? 0 : 1;
}
