#pragma once
// Combo boxes (TSkinComBox): the state frame and the two layouts of the combo elements.

#include <optional>

#include "skin/paint/paint_button.h"

namespace tw {

enum class ComboPressed { Released, Pressed };
enum class ComboHover { Outside, Hovered };
enum class LayoutDirection { LeftToRight, RightToLeft }; // the left-scroll-bar extended style

struct ComboState {
  ComboPressed pressed = ComboPressed::Released;
  ControlFocus focus = ControlFocus::Unfocused;
  ComboHover hover = ComboHover::Outside;
  ControlEnabled enabled = ControlEnabled::Enabled;
};

// Pressed 2; focused or hovered 4; otherwise 1; a disabled combo box 3.
int ComboStateFrame(const ComboState& state);

// The button area of the framed layout: the system scroll-arrow width wide, 2 pixels inside
// the right edge (the left edge for right-to-left boxes) and 2 pixels inside top and bottom.
Rect ComboButtonArea(Rect client, int arrowWidth, LayoutDirection direction);
// The inner edit area that the framed layout leaves to the control: inside the 2-pixel frame,
// beside the button.
Rect ComboEditArea(Rect client, int arrowWidth, LayoutDirection direction);

struct ComboPaint {
  ComboState state;
  LayoutDirection direction = LayoutDirection::LeftToRight;
  // The button rectangle the platform's combo-box information reports, when it is available,
  // and whether it reports the box visible.
  std::optional<Rect> reportedButton;
  ControlVisibility reportedVisibility = ControlVisibility::Visible;
  int arrowWidth = 16; // the system horizontal scroll-arrow width
};

// Draws over what the target holds (the control's own painting): the composed strip (Style 2)
// with magenta transparent, so the edit area shows through; otherwise the SunkEdge frame
// around the edit area, ComboButton in the button area and the ExtraImages frame for the state
// centred on it. Without a ComboButton bitmap, or when the platform reports the box invisible,
// nothing is drawn.
Painted ComposeCombo(Bitmap32& target, const SkinModel& skin, const ComboPaint& paint);

} // namespace tw
