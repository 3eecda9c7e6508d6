#pragma once
// The loaded skin elements that every painter reads: a bitmap strip of equal frames with
// nine-slice margins, tile and transparency flags, a style and colours.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "skin/model/bitmap.h"
#include "skin/model/colour.h"
#include "skin/model/raster.h"

namespace tw {

class TDataSkinObject {
public:
  virtual ~TDataSkinObject() = default;

  int LeftWidth = 0;
  int TopHeight = 0;
  int RightWidth = 0;
  int BottomHeight = 0;
  Bitmap32 Bitmap;
  int Trans = 0; // 1: draw with magenta transparent
  int Tile = 0;  // 1: tile the centre, 0: stretch it
  std::string Name;
  int FrameCount = 1;
  int Style = 0;
  int NormalColour = -1;
  int MouseOverColour = -1;
  int PressedColour = -1;
  TColor NormalColour2 = 0;
  TColor MouseOverColour2 = 0;
  TColor PressedColour2 = 0;

  Margins ElementMargins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
  Transparency ElementTransparency() const {
    return Trans == 1 ? Transparency::Magenta : Transparency::Opaque;
  }
  // The element drawn over the rectangle by the nine-slice rule in the given frame.
  void Draw(Bitmap32& target, Rect to, int frame,
            StripOrientation orientation = StripOrientation::Horizontal) const;
};

// A frame border, tab or up-down element: a second bitmap besides the strip.
class TDataSkinBorder : public TDataSkinObject {
public:
  Bitmap32 Bitmap2;
};

// Push, check and radio buttons.
class TDataSkinButton : public TDataSkinObject {
public:
  Bitmap32 CheckBitmap;
  Bitmap32 RadioBitmap;
  int RadioFrame = 0;
  int CheckFrame = 0;
  bool NormalColour2Given = false;
  bool MouseOverColour2Given = false;
  bool PressedColour2Given = false;
};

// A caption button.
class TDataSkinSysButton : public TDataSkinObject {
public:
  int Action = -1;
  int Align = 0;
  int XCoord = 0;
  int YCoord = 0;
  int CombineOp = -1;
  int Visibility = 0;
  int Visibility1 = 0;
};

// Group box with a labelled background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
  int BackgroundLeftShift = 0;
  int BackgroundRightShift = 0;
  int BackgroundAlignment = 0;
};

// Caption text settings. The inherited bitmap is the text background (TextBack); the inherited
// margins carry TextShift (LeftWidth), TextShiftVert (TopHeight) and TextRightClip (RightWidth).
class TDataSkinTitle : public TDataSkinObject {
public:
  int TextAlignment = 0;
  int TXTBackleft = 0;
  int TXTBackRight = 0;
};

// The elements read from sections of their own, in loading order, and the two derived ones.
enum class SkinElement {
  Progress,
  ProgressChunk,
  MenuBar,
  GroupBoxEdge,
  GroupBox,
  Tabs,
  StatusBarEdges,
  TabPane,
  ToolBars,
  ComboButton,
  SunkEdge,
  ExtraImages,
  Headerbar,
  MenuItem,
  MenuBackground,
  Scrollbar,
  HorzScroll,
  VertScroll,
  HorzScrollThumb,
  VertScrollThumb,
  TrackbarThumbHorz,
  TrackbarThumbVert,
  TrackbarThumbLeft,
  TrackbarThumbRight,
  TrackbarThumbUp,
  TrackbarThumbDown,
  UpDownHorz,
  UpDownVert,
  Track,
  TrackVert,
  Toolbar,     // derived: the gradient behind tool bars
  ComboxArrow, // derived: the combo box arrow cells
};

inline constexpr int kSkinElementCount = static_cast<int>(SkinElement::ComboxArrow) + 1;

// Colour table slots.
enum class SkinColour {
  WindowText = 0,
  TitleTextActive = 1,
  TitleTextNoActive = 2,
  ButtonFace = 3,
  ButtonText = 4,
  ButtonHilight = 5,
  Buttonlight = 6,
  ButtonShadow = 7,
  ButtonDkShadow = 8,
  HilightText = 11,
  Hilight = 12,
  Menubar = 13,
  MenuBarText = 14,
  MenuText = 15,
  Menu = 16,
  Scrollbar = 18,
};

inline constexpr int kSkinColourSlots = 19;

enum class BorderSide { Left, Right, Top, Bottom };

// Everything one skin archive defines, as LoadSkin builds it.
struct SkinModel {
  std::string SkinName;
  std::array<TDataSkinBorder, 4> Borders; // by BorderSide
  TDataSkinTitle Title;
  TDataSkinButton Buttons;
  std::vector<TDataSkinSysButton> SysButtons;
  std::array<std::unique_ptr<TDataSkinObject>, kSkinElementCount> Elements;

  std::array<TColor, kSkinColourSlots> Colours{};
  std::array<bool, kSkinColourSlots> ColourGiven{};
  std::vector<TColor> ExtraColours;
  std::array<TColor, 10> CustomColours{};
  TColor ButtonFaceBrush = 0;
  TColor FrameColour = 0;

  const TDataSkinBorder& Border(BorderSide side) const {
    return Borders[static_cast<std::size_t>(side)];
  }
  TDataSkinBorder& Border(BorderSide side) { return Borders[static_cast<std::size_t>(side)]; }
  // The element, or null when the skin has none.
  const TDataSkinObject* Element(SkinElement which) const {
    return Elements[static_cast<std::size_t>(which)].get();
  }
  TDataSkinObject* Element(SkinElement which) {
    return Elements[static_cast<std::size_t>(which)].get();
  }
  TColor Colour(SkinColour slot) const { return Colours[static_cast<std::size_t>(slot)]; }
  bool Given(SkinColour slot) const { return ColourGiven[static_cast<std::size_t>(slot)]; }
};

} // namespace tw
