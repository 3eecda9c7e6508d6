#pragma once
// Tab and page controls (TSkinTab) and their sheets (TSkinTabSheet): where the tab strip and
// the page lie, the frame and caption colour of each tab, close boxes, and the composition of
// the strip (turned a quarter for tabs on the left or right) and the page.

#include <optional>
#include <string>
#include <vector>

#include "skin/paint/paint_button.h"

namespace tw {

enum class TabPosition { Top, Bottom, Left, Right };

// The tab control's style bits that place the strip (their platform values).
inline constexpr unsigned kTabStyleBottom = 0x0002; // also "right" together with vertical
inline constexpr unsigned kTabStyleVertical = 0x0080;

TabPosition TabPositionFromStyle(unsigned style);

// The display area: the control's adjusted rectangle grown by 4 pixels and moved 1 pixel
// towards the strip.
Rect TabDisplayArea(Rect adjusted, TabPosition position);
// The strip: the control's rectangle outside the display area, on the strip's side.
Rect TabStripArea(Rect client, Rect display, TabPosition position);
// A tab as drawn: the rectangle the control reports, shifted 1 pixel towards the strip's outer
// edge as the display area is.
Rect TabDrawnRect(Rect reported, TabPosition position);

// The focused tab uses frame 2 of the Tabs element, every other tab frame 1.
int TabFrame(int index, int focusedIndex);
// Captions: MouseOverColour2 on the focused tab, NormalColour2 on the others.
TColor TabCaptionColour(const TDataSkinObject& tabs, int index, int focusedIndex);
// The 6 x 6 close box, 2 pixels in from the tab's top-right corner.
Rect TabCloseBox(Rect tab);
// Tab.Pane's own margins when the Tabs element's Style is not 0, otherwise 4, 5, 4, 4.
Margins TabPaneMargins(const SkinModel& skin);

// What the strip and the tabs' transparent corners are filled with: the parent's Color
// property (given as the form data writes it) when it names a colour, otherwise ButtonFace.
TColor TabStripBackground(const std::optional<std::string>& parentColour, TColor buttonFace);

// Tabs shown in the strip are at most this many characters long.
inline constexpr std::size_t kTabCaptionLimit = 80;

enum class TabCloseBoxes { Hidden, Shown };

struct TabItem {
  Rect rect; // as the control reports it, in control coordinates
  std::string caption;
};

struct TabPaint {
  TabPosition position = TabPosition::Top;
  Rect adjusted; // the control's adjusted (display) rectangle, in control coordinates
  std::vector<TabItem> tabs;
  int focused = -1;
  TabCloseBoxes closeBoxes = TabCloseBoxes::Hidden;
  TColor background = kWhite; // the parent's colour, or ButtonFace
};

struct TabComposition {
  Painted painted = Painted::StandardLook;
  std::vector<Rect> closeBoxes; // per tab, in control coordinates, for hit testing
};

// Without the Tabs element nothing is drawn.
TabComposition ComposeTabs(Bitmap32& target, const SkinModel& skin, const TabPaint& paint,
                           TextPainter& text);

// A sheet continues the page's centre: the Tab.Pane element is drawn as if over the whole
// display area, of which the sheet covers the part at the given offset; ButtonFace without
// Tab.Pane.
void ComposeTabSheet(Bitmap32& target, const SkinModel& skin, Rect display, int sheetLeft,
                     int sheetTop);

} // namespace tw
