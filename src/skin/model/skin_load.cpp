// LoadSkin: from the stored archive to the SkinModel, in the order the painters rely on.

#include <algorithm>

#include "runtime/ansi_text.h"
#include "runtime/seam.h"
#include "skin/model/bmp.h"
#include "skin/model/quick_ini.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_reader.h"
#include "skin/model/system_colour.h"

namespace tw {

namespace {

// How an element's section is read.
enum class ElementKind { Plain, Border, Progress, BoxLabel, MenuBar };

// How an element's frame count is settled after reading.
enum class FrameRule { Fixed, AsRead, HeaderOrFive, ThumbKey, ProgressStyle };

struct SectionElement {
  SkinElement element;
  const char* section;
  ElementKind kind;
  const char* secondKey; // border elements: the key of the second bitmap
  FrameRule rule;
  int frames;
};

// In loading order.
constexpr SectionElement kSectionElements[] = {
    {SkinElement::Progress, "Progress", ElementKind::Progress, nullptr, FrameRule::ProgressStyle,
     0},
    {SkinElement::ProgressChunk, "Progress.Chunk", ElementKind::Plain, nullptr, FrameRule::AsRead,
     0},
    {SkinElement::MenuBar, "Personality", ElementKind::MenuBar, nullptr, FrameRule::Fixed, 2},
    {SkinElement::GroupBoxEdge, "GroupBoxEdge", ElementKind::Plain, nullptr, FrameRule::Fixed, 2},
    {SkinElement::GroupBox, "GroupBox", ElementKind::BoxLabel, nullptr, FrameRule::Fixed, 1},
    {SkinElement::Tabs, "Tabs", ElementKind::Border, "Border", FrameRule::Fixed, 5},
    {SkinElement::StatusBarEdges, "StatusBarEdges", ElementKind::Plain, nullptr, FrameRule::Fixed,
     3},
    {SkinElement::TabPane, "Tab.Pane", ElementKind::Plain, nullptr, FrameRule::Fixed, 1},
    {SkinElement::ToolBars, "ToolBars", ElementKind::Plain, nullptr, FrameRule::Fixed, 5},
    {SkinElement::ComboButton, "ComboButton", ElementKind::Border, "****", FrameRule::Fixed, 4},
    {SkinElement::SunkEdge, "SunkEdge", ElementKind::Plain, nullptr, FrameRule::Fixed, 4},
    {SkinElement::ExtraImages, "ExtraImages", ElementKind::Plain, nullptr, FrameRule::Fixed, 5},
    {SkinElement::Headerbar, "Headerbar", ElementKind::Plain, nullptr, FrameRule::HeaderOrFive, 5},
    {SkinElement::MenuItem, "MenuItem", ElementKind::Plain, nullptr, FrameRule::Fixed, 5},
    {SkinElement::MenuBackground, "MenuBackground", ElementKind::Plain, nullptr, FrameRule::Fixed,
     1},
    {SkinElement::Scrollbar, "Scrollbar", ElementKind::Plain, nullptr, FrameRule::Fixed, 23},
    {SkinElement::HorzScroll, "HorzScroll", ElementKind::Plain, nullptr, FrameRule::Fixed, 4},
    {SkinElement::VertScroll, "VertScroll", ElementKind::Plain, nullptr, FrameRule::Fixed, 4},
    {SkinElement::HorzScrollThumb, "HorzScrollThumb", ElementKind::Plain, nullptr,
     FrameRule::ThumbKey, 3},
    {SkinElement::VertScrollThumb, "VertScrollThumb", ElementKind::Plain, nullptr,
     FrameRule::ThumbKey, 3},
    {SkinElement::TrackbarThumbHorz, "Trackbar.ThumbHorz", ElementKind::Plain, nullptr,
     FrameRule::Fixed, 5},
    {SkinElement::TrackbarThumbVert, "Trackbar.ThumbVert", ElementKind::Plain, nullptr,
     FrameRule::Fixed, 5},
    {SkinElement::TrackbarThumbLeft, "Trackbar.ThumbLeft", ElementKind::Plain, nullptr,
     FrameRule::Fixed, 5},
    {SkinElement::TrackbarThumbRight, "Trackbar.ThumbRight", ElementKind::Plain, nullptr,
     FrameRule::Fixed, 5},
    {SkinElement::TrackbarThumbUp, "Trackbar.ThumbUp", ElementKind::Plain, nullptr,
     FrameRule::Fixed, 5},
    {SkinElement::TrackbarThumbDown, "Trackbar.ThumbDown", ElementKind::Plain, nullptr,
     FrameRule::Fixed, 5},
    {SkinElement::UpDownHorz, "UpDown.Horz", ElementKind::Border, "GlyphImage", FrameRule::Fixed,
     8},
    {SkinElement::UpDownVert, "UpDown.Vert", ElementKind::Border, "GlyphImage", FrameRule::Fixed,
     8},
    {SkinElement::Track, "Track", ElementKind::Plain, nullptr, FrameRule::AsRead, 0},
    {SkinElement::TrackVert, "TRACKVERT", ElementKind::Plain, nullptr, FrameRule::AsRead, 0},
};

struct ColourKey {
  SkinColour slot;
  const char* key;
  SysColour fallback;
};

constexpr ColourKey kColourKeys[] = {
    {SkinColour::WindowText, "WindowText", SysColour::WindowText},
    {SkinColour::TitleTextActive, "TitleTextActive", SysColour::CaptionText},
    {SkinColour::TitleTextNoActive, "TitleTextNoActive", SysColour::InactiveCaptionText},
    {SkinColour::ButtonFace, "ButtonFace", SysColour::BtnFace},
    {SkinColour::ButtonText, "ButtonText", SysColour::BtnText},
    {SkinColour::ButtonHilight, "ButtonHilight", SysColour::BtnHighlight},
    {SkinColour::Buttonlight, "Buttonlight", SysColour::BtnHighlight},
    {SkinColour::ButtonShadow, "ButtonShadow", SysColour::BtnShadow},
    {SkinColour::ButtonDkShadow, "ButtonDkShadow", SysColour::DkShadow3D},
    {SkinColour::HilightText, "HilightText", SysColour::HighlightText},
    {SkinColour::Hilight, "Hilight", SysColour::Highlight},
    {SkinColour::Menubar, "Menubar", SysColour::BtnFace}, // falls back to slot 3 below
    {SkinColour::MenuBarText, "MenuBarText", SysColour::MenuText},
    {SkinColour::MenuText, "MenuText", SysColour::MenuText},
    {SkinColour::Menu, "Menu", SysColour::Menu},
    {SkinColour::Scrollbar, "Scrollbar", SysColour::ScrollBar},
};

constexpr const char* kBorderKeys[] = {"Left", "Right", "Top", "Bottom"};

constexpr int kComboCellWidth = 50;
constexpr int kComboCellHeight = 21;
constexpr int kArrowCell = 17;

Bitmap32 ReplaceColour(const Bitmap32& source, Pixel from, Pixel to) {
  Bitmap32 out = source;
  for (int y = 0; y < out.Height(); ++y)
    for (Pixel& p : out.Row(y))
      if (p == from)
        p = to;
  return out;
}

} // namespace

// Everything LoadSkin does once the archive has been accepted.
class SkinLoader {
public:
  SkinLoader(const TSkinReader& reader, SkinModel& model)
      : reader_(reader), model_(model), platform_(Seam<SkinPlatform>::Get()) {}

  void Run() {
    TMemoryStream text;
    std::string iniName;
    reader_.ExtractEntryLike(".ini", text, iniName);
    ini_.LoadFromStream(text);

    model_.SkinName = ini_.ReadString("TitlebarSkin", "SkinName", "");
    ReadBorders();
    ReadColours();
    ReadCaptionButtons();
    ReadButtons();
    ReadTitle();
    for (const SectionElement& entry : kSectionElements)
      ReadElement(entry);
    CapTabPane();
    MirrorComboButton();
    TrackFallbacks();
    FixFrameCounts();
    // The Toolbar gradient ends in the frame colour, so settle that first.
    ReadFrameColour();
    DeriveElements();
  }

  // The archive entry a definition's file name names: its last path component, which must end
  // in ".bmp" (lower case); an empty bitmap otherwise or when the entry is absent.
  Bitmap32 LoadBitmap(std::string_view fileName) const {
    const std::size_t slash = fileName.find_last_of("\\:");
    const std::string_view name =
        slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp")
      return {};
    TMemoryStream entry;
    reader_.ExtractEntry(name, entry);
    if (entry.Size() == 0)
      return {};
    return ReadBmp(entry.View()).value_or(Bitmap32());
  }

private:
  TColor SysColourOf(SysColour slot) const { return platform_.SystemColour(slot); }
  TColor ButtonText() const { return model_.Colour(SkinColour::ButtonText); }

  int Int(std::string_view section, std::string_view key, int fallback) const {
    return ini_.ReadInteger(section, key, fallback);
  }
  std::string Str(std::string_view section, std::string_view key) const {
    return ini_.ReadString(section, key, "");
  }
  // A colour key, or the fallback when it is missing or empty.
  TColor Colour(std::string_view section, std::string_view key, TColor fallback,
                bool* given = nullptr) const {
    const std::string text = Str(section, key);
    if (given != nullptr)
      *given = !text.empty();
    return text.empty() ? fallback : ColourFromText(text);
  }

  void ReadBorders() {
    for (int side = 0; side < 4; ++side) {
      const std::string key = kBorderKeys[side];
      TDataSkinBorder& border = model_.Borders[static_cast<std::size_t>(side)];
      border = TDataSkinBorder();
      border.Name = key;
      border.Bitmap = LoadBitmap(Str("Personality", key));
      border.FrameCount = Int("Personality", key + "Frame", 1);
      border.Tile = std::min(Int("Personality", key + "Stretch", 1), 1);
      border.Trans = Int("Personality", key + "Trans", 1);
      const int first = Int("Personality", key + "TopHeight", 0);
      const int second = Int("Personality", key + "BotHeight", 0);
      if (side < 2) {
        border.TopHeight = first;
        border.BottomHeight = second;
      } else {
        border.LeftWidth = first;
        border.RightWidth = second;
      }
    }
  }

  void ReadColours() {
    for (const ColourKey& entry : kColourKeys) {
      const auto slot = static_cast<std::size_t>(entry.slot);
      TColor fallback = SysColourOf(entry.fallback);
      if (entry.slot == SkinColour::Menubar)
        fallback = model_.Colour(SkinColour::ButtonFace);
      bool given = false;
      model_.Colours[slot] = Colour("Colours", entry.key, fallback, &given);
      model_.ColourGiven[slot] = given;
    }
    model_.ButtonFaceBrush = model_.Colour(SkinColour::ButtonFace);

    TStringList sections;
    ini_.ReadSections(&sections);
    model_.ExtraColours.clear();
    for (int i = 0; i < sections.Count(); ++i) {
      const std::string name = AsciiUpperCase(sections[i]);
      if (name.starts_with("COLOUR") && name != "COLOURS")
        model_.ExtraColours.push_back(
            Colour(sections[i], "color", SysColourOf(SysColour::WindowText)));
    }
    for (int i = 0; i < 10; ++i)
      model_.CustomColours[static_cast<std::size_t>(i)] =
          Colour("Customcolors", "Color" + std::to_string(i), kWhite);
  }

  void ReadCaptionButtons() {
    TStringList sections;
    ini_.ReadSections(&sections);
    model_.SysButtons.clear();
    bool havePosition = false;
    int savedX = 0;
    int savedY = 0;
    for (int i = 0; i < sections.Count(); ++i) {
      const std::string name = AsciiUpperCase(sections[i]);
      if (!name.starts_with("BUTTON") || name == "BUTTON" || name == "BUTTONS" ||
          name == "BUTTON.RADIO" || name == "BUTTON.CHECKBOX")
        continue;
      const int action = Int(name, "Action", -1);
      if (action == -1 && Int(name, "Visibility", -1) != 0)
        continue;

      TDataSkinSysButton button;
      button.Name = name;
      button.Action = action;
      button.Align = Int(name, "Align", 0);
      button.XCoord = Int(name, "Xcoord", 0);
      button.YCoord = Int(name, "Ycoord", 0);
      button.Visibility = Int(name, "Visibility", 0);
      button.Visibility1 = Int(name, "Visibility1", action == -1 ? -1 : 0);
      button.CombineOp = Int(name, "CombineOp", -1);
      button.FrameCount = Int(name, "frame", 0);
      button.Bitmap = LoadBitmap(Str(name, "ButtonImage"));

      if (button.Action == 1 && button.Visibility == 2) {
        havePosition = true;
        savedX = button.XCoord;
        savedY = button.YCoord;
      } else if (button.Action == 4 && havePosition) {
        button.XCoord = savedX;
        button.YCoord = savedY;
      }

      if (button.FrameCount == 0) {
        button.FrameCount = 6;
        if (!button.Bitmap.Empty() &&
            static_cast<double>(button.Bitmap.Width()) / button.Bitmap.Height() <= 3.8)
          button.FrameCount = button.Action < 0 ? 6 : 3;
        // The form fills these with the window icon.
        if (button.Action == 3 || button.Action == 11)
          button.Bitmap.Clear();
      }
      model_.SysButtons.push_back(std::move(button));
    }

    // The minimize, restore and close buttons of a maximized MDI child, on the menu bar.
    const Bitmap32 mdi = LoadBitmap(Str("MDICONTROLS", "Image"));
    const int frameWidth = mdi.Width() / 12;
    for (int i = 0; i < 3; ++i) {
      TDataSkinSysButton button;
      button.Name = "MDI" + std::to_string(i);
      button.Action = 7 + i;
      button.Align = 100;
      button.Visibility = 100;
      button.Visibility1 = 100;
      button.FrameCount = 4;
      if (!mdi.Empty() && frameWidth > 0) {
        button.Bitmap = Bitmap32(frameWidth * 4, mdi.Height());
        CopyRect(button.Bitmap, 0, 0, mdi,
                 Rect::FromSize(frameWidth * 4 * i, 0, frameWidth * 4, mdi.Height()));
        button.XCoord = (frameWidth + 4) * (3 - i);
      }
      model_.SysButtons.push_back(std::move(button));
    }
  }

  void ReadButtons() {
    TDataSkinButton& b = model_.Buttons;
    b = TDataSkinButton();
    b.Name = "Buttons";
    b.LeftWidth = Int("Buttons", "LeftWidth", 0);
    b.RightWidth = Int("Buttons", "RightWidth", 0);
    b.TopHeight = Int("Buttons", "TopHeight", 0);
    b.BottomHeight = Int("Buttons", "BottomHeight", 0);
    b.Trans = Int("Buttons", "Trans", 0);
    b.Tile = Int("Buttons", "Tile", 0);
    if (b.Tile > 1)
      b.Tile = 0;
    b.Bitmap = LoadBitmap(Str("Buttons", "Bitmap"));
    b.CheckBitmap = LoadBitmap(Str("Buttons", "CheckButton"));
    b.RadioBitmap = LoadBitmap(Str("Buttons", "RadioButton"));
    b.NormalColour = Int("Buttons", "NormalColour", -1);
    b.MouseOverColour = Int("Buttons", "MouseOverColour", -1);
    b.PressedColour = Int("Buttons", "PressedColour", -1);
    b.RadioFrame = Int("Buttons", "RadioButtonFrame", 0);
    b.CheckFrame = Int("Buttons", "CheckButtonFrame", 0);
    b.NormalColour2 = Colour("Buttons", "NormalColour2", ButtonText(), &b.NormalColour2Given);
    b.MouseOverColour2 =
        Colour("Buttons", "MouseOverColour2", ButtonText(), &b.MouseOverColour2Given);
    b.PressedColour2 = Colour("Buttons", "PressedColour2", ButtonText(), &b.PressedColour2Given);
  }

  void ReadTitle() {
    TDataSkinTitle& t = model_.Title;
    t = TDataSkinTitle();
    t.Name = "Title";
    t.Bitmap = LoadBitmap(Str("Personality", "TextBack"));
    t.LeftWidth = Int("Personality", "TextShift", 0);
    t.TopHeight = Int("Personality", "TextShiftVert", 0);
    t.RightWidth = Int("Personality", "TextRightClip", 0);
    t.TextAlignment = Int("Personality", "TextAlignment", 0);
    t.TXTBackleft = Int("Personality", "TXTBackleft", 0);
    t.TXTBackRight = Int("Personality", "TXTBackRight", 0);
  }

  // Style, the nine-slice margins and Trans: what every section element reads.
  void ReadShape(TDataSkinObject& e, const char* section) {
    e.Style = Int(section, "Style", 0);
    e.LeftWidth = Int(section, "LeftWidth", 0);
    e.RightWidth = Int(section, "RightWidth", 0);
    e.TopHeight = Int(section, "TopHeight", 0);
    e.BottomHeight = Int(section, "BottomHeight", 0);
    e.Trans = Int(section, "Trans", 0);
  }

  void ReadCommon(TDataSkinObject& e, const char* section, bool readFrame) {
    ReadShape(e, section);
    if (readFrame)
      e.FrameCount = Int(section, "Frame", 0);
    e.Tile = Int(section, "Tile", 0);
    if (e.Tile > 1)
      e.Tile = 0;
    e.NormalColour = Int(section, "NormalColour", -1);
    e.MouseOverColour = Int(section, "MouseOverColour", -1);
    e.PressedColour = Int(section, "PressedColour", -1);
    e.NormalColour2 = Colour(section, "NormalColour2", ButtonText());
    e.MouseOverColour2 = Colour(section, "MouseOverColour2", ButtonText());
    e.PressedColour2 = Colour(section, "PressedColour2", ButtonText());
  }

  static const char* ImageKey(ElementKind kind) {
    switch (kind) {
    case ElementKind::Progress:
      return "Bitmap";
    case ElementKind::MenuBar:
      return "menuBar";
    default:
      return "Image";
    }
  }

  static std::unique_ptr<TDataSkinObject> NewElement(ElementKind kind) {
    switch (kind) {
    case ElementKind::Border:
      return std::make_unique<TDataSkinBorder>();
    case ElementKind::BoxLabel:
      return std::make_unique<TDataSkinBoxLabel>();
    default:
      return std::make_unique<TDataSkinObject>();
    }
  }

  // A section names its bitmap under its image key; without that key there is no element. A
  // named bitmap the archive lacks leaves the element with an empty bitmap.
  void ReadElement(const SectionElement& entry) {
    std::unique_ptr<TDataSkinObject>& slot =
        model_.Elements[static_cast<std::size_t>(entry.element)];
    slot.reset();
    const char* section = entry.section;
    const std::string image = Str(section, ImageKey(entry.kind));
    if (image.empty())
      return;
    std::unique_ptr<TDataSkinObject> e = NewElement(entry.kind);
    switch (entry.kind) {
    case ElementKind::Plain:
      ReadCommon(*e, section, true);
      if (entry.rule == FrameRule::ThumbKey)
        e->FrameCount = Int(section, "FrameCount", entry.frames);
      break;
    case ElementKind::BoxLabel: {
      ReadCommon(*e, section, true);
      auto& box = static_cast<TDataSkinBoxLabel&>(*e);
      box.BackgroundAlignment = Int(section, "BackgroundAlignment", 0);
      box.BackgroundLeftShift = Int(section, "BackgroundLeftShift", 0);
      box.BackgroundRightShift = Int(section, "BackgroundRightShift", 0);
      break;
    }
    case ElementKind::Border:
      ReadCommon(*e, section, false);
      static_cast<TDataSkinBorder&>(*e).Bitmap2 = LoadBitmap(Str(section, entry.secondKey));
      break;
    case ElementKind::Progress:
      ReadShape(*e, section);
      e->Tile = std::min(Int(section, "Tile", 0), 1);
      break;
    case ElementKind::MenuBar:
      e->Tile = std::min(Int(section, "TileMenu", 1), 1);
      e->LeftWidth = Int(section, "TileLeftMenu", 1);
      e->RightWidth = Int(section, "TileRightMenu", 1);
      break;
    }
    e->Bitmap = LoadBitmap(image);
    e->Name = section == std::string_view("Personality") ? "MenuBar" : section;
    slot = std::move(e);
  }

  void CapTabPane() {
    TDataSkinObject* pane = model_.Element(SkinElement::TabPane);
    if (pane == nullptr)
      return;
    pane->LeftWidth = std::min(pane->LeftWidth, 4);
    pane->TopHeight = std::min(pane->TopHeight, 4);
    pane->RightWidth = std::min(pane->RightWidth, 4);
    pane->BottomHeight = std::min(pane->BottomHeight, 4);
  }

  void MirrorComboButton() {
    auto* combo = static_cast<TDataSkinBorder*>(model_.Element(SkinElement::ComboButton));
    if (combo != nullptr && !combo->Bitmap.Empty())
      combo->Bitmap2 = MirrorHorizontal(combo->Bitmap);
  }

  void TrackFallbacks() {
    const std::pair<SkinElement, ProgramBitmap> tracks[] = {
        {SkinElement::Track, ProgramBitmap::Track},
        {SkinElement::TrackVert, ProgramBitmap::TrackVert}};
    for (const auto& [element, resource] : tracks) {
      auto& slot = model_.Elements[static_cast<std::size_t>(element)];
      if (slot != nullptr)
        continue;
      Bitmap32 bitmap = platform_.LoadProgramBitmap(resource);
      if (bitmap.Empty())
        continue;
      auto e = std::make_unique<TDataSkinObject>();
      e->Name = element == SkinElement::Track ? "Track" : "TRACKVERT";
      e->LeftWidth = e->TopHeight = e->RightWidth = e->BottomHeight = 3;
      e->Tile = 0;
      // The program's bitmaps keep magenta as the transparent colour, as skin bitmaps do.
      e->Trans = 1;
      e->FrameCount = 1;
      e->Bitmap = std::move(bitmap);
      slot = std::move(e);
    }
  }

  void FixFrameCounts() {
    TDataSkinButton& b = model_.Buttons;
    b.FrameCount = 5;
    auto glyphFrames = [](const Bitmap32& bitmap) {
      const int cell = bitmap.Height() < 16 ? 13 : 16;
      return std::max(bitmap.Width() / cell, 4);
    };
    if (b.RadioFrame == 0)
      b.RadioFrame = glyphFrames(b.RadioBitmap);
    if (b.CheckFrame == 0)
      b.CheckFrame = glyphFrames(b.CheckBitmap);
    model_.Title.FrameCount = 2;

    for (const SectionElement& entry : kSectionElements) {
      TDataSkinObject* e = model_.Element(entry.element);
      if (e == nullptr)
        continue;
      switch (entry.rule) {
      case FrameRule::Fixed:
        e->FrameCount = entry.frames;
        break;
      case FrameRule::HeaderOrFive:
        if (e->FrameCount == 0)
          e->FrameCount = entry.frames;
        break;
      case FrameRule::ProgressStyle:
        e->FrameCount = e->Style != 0 ? 1 : 2;
        break;
      case FrameRule::AsRead:
      case FrameRule::ThumbKey:
        break;
      }
    }
  }

  void ReadFrameColour() {
    const TDataSkinBorder& top = model_.Border(BorderSide::Top);
    if (top.Bitmap.Empty()) {
      model_.FrameColour = model_.Colour(SkinColour::ButtonFace);
      return;
    }
    const int frameHeight = top.Bitmap.Height() / std::max(top.FrameCount, 1);
    const int x = top.Bitmap.Width() / 3;
    const int y = std::min(frameHeight / 3, top.Bitmap.Height() - 1);
    model_.FrameColour = PixelToColour(top.Bitmap.At(x, y));
  }

  void DeriveElements() {
    ComposeComboStrip();
    DeriveComboxArrow();
    MakeToolbarGradient();
  }

  void ComposeComboStrip() {
    auto* combo = static_cast<TDataSkinBorder*>(model_.Element(SkinElement::ComboButton));
    TDataSkinObject* sunk = model_.Element(SkinElement::SunkEdge);
    if (combo == nullptr || sunk == nullptr)
      return;
    const TDataSkinObject* extra = model_.Element(SkinElement::ExtraImages);
    const int arrow = platform_.Metric(SystemMetric::HorzScrollArrowWidth);
    const int buttonWidth = arrow + 2;
    const int cells = std::max(sunk->FrameCount, 1);
    Bitmap32 strip(kComboCellWidth * cells, kComboCellHeight, kMagenta);
    for (int k = 1; k <= cells; ++k) {
      const int x0 = kComboCellWidth * (k - 1);
      sunk->Draw(strip, Rect::FromSize(x0, 0, kComboCellWidth, kComboCellHeight), k);
      const Rect button =
          Rect::FromSize(x0 + kComboCellWidth - buttonWidth, 0, buttonWidth, kComboCellHeight);
      combo->Draw(strip, button, k);
      if (extra != nullptr)
        DrawFrameCentred(strip, button, extra->Bitmap, extra->FrameCount, k,
                         extra->ElementTransparency());
      FillRect(strip, Rect{x0 + 2, 2, x0 + kComboCellWidth - buttonWidth, kComboCellHeight - 2},
               kMagenta);
    }
    sunk->Bitmap = MirrorHorizontal(strip);
    combo->Bitmap = std::move(strip);
    combo->FrameCount = cells;
    combo->Style = 2;
    combo->LeftWidth = 2;
    combo->RightWidth = buttonWidth;
    sunk->LeftWidth = buttonWidth;
    sunk->RightWidth = 2;
  }

  void DeriveComboxArrow() {
    const auto* combo =
        static_cast<const TDataSkinBorder*>(model_.Element(SkinElement::ComboButton));
    if (combo == nullptr)
      return;
    const TDataSkinObject* sunk = model_.Element(SkinElement::SunkEdge);
    auto arrow = std::make_unique<TDataSkinObject>();
    arrow->Name = "ComboxArrow";
    if (sunk == nullptr) {
      arrow->Bitmap =
          ReplaceColour(combo->Bitmap, kMagenta,
                        ColourToPixel(ColorToRGB(model_.Colour(SkinColour::ButtonFace))));
      arrow->FrameCount = combo->FrameCount;
    } else if (combo->Style == 2) {
      const int frames = std::max(sunk->FrameCount, 1);
      const int frameWidth = combo->Bitmap.Width() / std::max(combo->FrameCount, 1);
      arrow->Bitmap = Bitmap32(kArrowCell * frames, kArrowCell);
      for (int i = 0; i < frames; ++i) {
        const int right = frameWidth * (i + 1) - 2;
        CopyRect(arrow->Bitmap, kArrowCell * i, 0, combo->Bitmap,
                 Rect::FromSize(right - kArrowCell, 2, kArrowCell, kArrowCell));
      }
      arrow->FrameCount = frames;
    } else {
      return;
    }
    model_.Elements[static_cast<std::size_t>(SkinElement::ComboxArrow)] = std::move(arrow);
  }

  void MakeToolbarGradient() {
    const TColor face = model_.Colour(SkinColour::ButtonFace);
    const TColor frame = ColorToRGB(model_.FrameColour);
    const TColor top = MixColour(face, kWhite, 150);
    TColor bottom = MixColour(kGrey, frame, 150);
    // A light frame colour would end the gradient near white on white; lighten instead.
    const int luma =
        (ColourRed(frame) * 299 + ColourGreen(frame) * 587 + ColourBlue(frame) * 114) / 1000;
    if (luma > 200)
      bottom = MixColour(frame, kWhite, 70);
    auto toolbar = std::make_unique<TDataSkinObject>();
    toolbar->Name = "Toolbar";
    toolbar->FrameCount = 1;
    toolbar->Bitmap = Bitmap32(10, 40);
    for (int y = 0; y < 40; ++y) {
      auto lerp = [y](int a, int b) { return a + (b - a) * y / 39; };
      const Pixel p = MakePixel(lerp(ColourRed(top), ColourRed(bottom)),
                                lerp(ColourGreen(top), ColourGreen(bottom)),
                                lerp(ColourBlue(top), ColourBlue(bottom)));
      for (Pixel& px : toolbar->Bitmap.Row(y))
        px = p;
    }
    model_.Elements[static_cast<std::size_t>(SkinElement::Toolbar)] = std::move(toolbar);
  }

  const TSkinReader& reader_;
  SkinModel& model_;
  SkinPlatform& platform_;
  TQuickIni ini_;
};

bool TSkinData::LoadSkin() {
  TSkinReader reader;
  TMemoryStream archive{std::span<const std::uint8_t>(archive_)};
  if (!reader.LoadSkin(archive))
    return false;
  SkinModel model;
  SkinLoader(reader, model).Run();
  model_ = std::move(model);
  noSkin_ = false;
  ++generation_;
  return true;
}

} // namespace tw
