#pragma once
// Scroll-bar overlays (TWScrollbar, owned by TSkinScrollbar and its relatives): the parts of a
// bar from the platform's scroll-bar information, where the overlay sits, what a mouse
// position on it means, the frames of the 23-frame Scrollbar strip, and the bar's painting.

#include <optional>

#include "skin/paint/paint_button.h"
#include "skin/paint/paint_progress.h"

namespace tw {

// The platform's scroll-bar information, as its query reports it: the bar's rectangle in
// screen coordinates, the length of an arrow button, the thumb's extent measured from the
// bar's start, and the bar's own state.
enum class BarVisibility { Visible, Hidden };
struct ScrollBarInfo {
  Rect bar;
  int lineButton = 0;
  int thumbTop = 0;
  int thumbBottom = 0;
  BarVisibility visibility = BarVisibility::Visible;
  ControlEnabled enabled = ControlEnabled::Enabled;
};

// Which bar an overlay covers.
enum class ScrollBarKind { Horizontal, Vertical, StandAlone };

// The hot part codes of an overlay.
enum ScrollPart : int {
  kPartNone = -1,
  kPartFirstArrow = 0,
  kPartSecondArrow = 1,
  kPartTrackBefore = 2, // the track before the thumb
  kPartTrackAfter = 3,  // the track after the thumb
  kPartThumb = 5,
};

// Arrow size: the Scrollbar bitmap's height, or the platform's bar thickness when the two
// differ by more than 2 pixels.
int ScrollArrowSize(int bitmapHeight, int barThickness);

// The parts of a bar in the overlay's own coordinates (the bar's rectangle moved to 0, 0).
struct ScrollBarParts {
  Rect firstArrow;
  Rect secondArrow;
  Rect track;       // between the arrows
  Rect thumb;       // empty when there is none
  Rect trackBefore; // the track before the thumb
  Rect trackAfter;  // the track after the thumb
};

// A bar shorter than two arrows gives each arrow half its length and has no track or thumb.
ScrollBarParts ScrollBarGeometry(const ScrollBarInfo& info, BarOrientation orientation,
                                 int arrowSize);

// The part under a point of the overlay.
int ScrollPartAt(const ScrollBarParts& parts, int x, int y);

// Frames of the Scrollbar strip: arrows from 1 (left), 5 (right), 9 (up) and 13 (down), +3 while
// hovered, +1 while pressed; grips 17 (horizontal) and 20 (vertical), +1 pressed, +2 hovered.
enum class PartHighlight { Normal, Hovered, Pressed };
int ScrollArrowFrame(BarOrientation orientation, int arrow, PartHighlight highlight);
int ScrollGripFrame(BarOrientation orientation, PartHighlight highlight);
// The thumb element's frame: 1, 2 while pressed, 3 while hovered.
int ScrollThumbFrame(PartHighlight highlight);
// The track element's frame: 1 enabled, 3 disabled.
int ScrollTrackFrame(ControlEnabled enabled);
// How a part is highlighted given the overlay's hot part and pressed flag.
enum class ButtonHeld { Up, Down };
PartHighlight HighlightOf(int part, int hotPart, ButtonHeld held);

// Where the overlay goes, in the coordinates of the control's parent (given the parent's
// client origin on screen); nothing when the control or the bar is hidden.
std::optional<Rect> OverlayPlacement(ControlVisibility control, const ScrollBarInfo& info,
                                     int parentOriginX, int parentOriginY);

// The platform's scroll hit codes.
inline constexpr int kHitHScroll = 6;
inline constexpr int kHitVScroll = 7;

// A left button pressed or released on the overlay, as it is passed to the control: a
// non-client message with the bar's hit code at the same screen point, or, for stand-alone
// scroll-bar controls, a plain message at the point in the control's client coordinates.
enum class ForwardedAs { NonClient, Client };
struct ForwardedClick {
  ForwardedAs as = ForwardedAs::NonClient;
  int hitCode = 0;
  int x = 0;
  int y = 0;
};
// overlayX/Y is the overlay's top-left on screen; controlX/Y the control's client origin.
ForwardedClick ForwardOverlayClick(ScrollBarKind kind, int x, int y, int overlayX, int overlayY,
                                   int controlX, int controlY);

struct ScrollBarPaint {
  ScrollBarInfo info;
  BarOrientation orientation = BarOrientation::Horizontal;
  int hotPart = kPartNone;
  ButtonHeld held = ButtonHeld::Up;
};

// The bar composed into a bitmap of the bar's size. Without the Scrollbar element, or when the
// platform reports the bar hidden, nothing is drawn.
Painted ComposeScrollBar(Bitmap32& target, const SkinModel& skin, const ScrollBarPaint& paint);

} // namespace tw
