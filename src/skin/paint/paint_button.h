#pragma once
// Push buttons (TSkinButton): the frame for the button's state, the caption's colour and
// layout, the press tracking that decides when a click happens, and the composition of the
// whole button into a bitmap of its size.

#include <optional>
#include <string>
#include <string_view>

#include "skin/model/bitmap.h"
#include "skin/model/colour.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_objects.h"
#include "skin/paint/paint_text.h"

namespace tw {

// Whether a compose function drew the control, or left it to its standard look because the skin
// lacks the element.
enum class Painted { Skin, StandardLook };

enum class ControlEnabled { Enabled, Disabled };
enum class ControlFocus { Unfocused, Focused };
enum class ControlVisibility { Visible, Hidden };

// Hover is bit 0 and pressed bit 1 of the button's state.
enum ButtonStateBit : unsigned { kButtonHover = 1u, kButtonPressed = 2u };

enum class ButtonDefault { Plain, Default };

struct PushButtonState {
  unsigned bits = 0; // ButtonStateBit
  ControlEnabled enabled = ControlEnabled::Enabled;
  ControlFocus focus = ControlFocus::Unfocused;
  ButtonDefault isDefault = ButtonDefault::Plain;
};

// Frame of the Buttons element: pressed 2, hover 4, focused or default 5, otherwise 1; a
// disabled button always 3.
int PushButtonFrame(const PushButtonState& state);

// The caption colour: the font colour, replaced by NormalColour2 when the skin gives it, by
// MouseOverColour2 in frame 4 and PressedColour2 in frame 2 when given, and by the system
// button-shadow colour when disabled.
TColor PushButtonTextColour(const TDataSkinButton& buttons, int frame, TColor fontColour);

// What lies behind the button's element.
enum class ButtonBackground { ButtonFace, Parent };
// Tag 5555 or the transparent option take the parent's background.
ButtonBackground PushButtonBackground(int tag, const TSkinOptions& options);
// Class names starting "trz" or "tel" belong to controls that paint their own background.
bool PaintsOwnBackground(std::string_view className);

struct ButtonTextLayout {
  Rect text;                 // where the caption is drawn
  std::optional<Rect> focus; // the focus rectangle, when one is drawn
};

// The caption word-wrapped inside the button shrunk by 2 pixels and centred both ways; the
// focus rectangle surrounds it, inflated by 2, while focused unless the options forbid it.
ButtonTextLayout LayOutButtonText(Rect client, TextSize measured, ControlFocus focus,
                                  const TSkinOptions& options);

// The press tracking of a skinned push button. Leaving the button drops the press, so a
// release outside never clicks; a release while pressed clicks once.
enum class ButtonInput {
  LeftDown, // also a double click
  MouseMove,
  MouseLeave,
  LeftUp,
  SpaceDown,
  SpaceUp,
};
enum class ButtonReaction { None, Repaint, RepaintAndClick };

class PushButtonTracker {
public:
  ButtonReaction Handle(ButtonInput input, ControlEnabled enabled);
  unsigned Bits() const { return bits_; }

private:
  unsigned bits_ = 0;
};

// The command identifier a foreign button posts to its parent on a click: its own control
// identifier, or 0 for the framework's "tbutton" class.
int ForeignButtonCommandId(std::string_view className, int controlId);

struct PushButtonPaint {
  PushButtonState state;
  std::string caption;
  TColor fontColour = kBlack;
  ButtonBackground background = ButtonBackground::ButtonFace;
  const Bitmap32* parentBackground = nullptr; // the parent's pixels behind the button
  TSkinOptions options;
};

// The whole button, composed into a bitmap of its size. Without the Buttons bitmap nothing is
// drawn and the control keeps its standard look.
Painted ComposePushButton(Bitmap32& target, const SkinModel& skin, const PushButtonPaint& paint,
                          TextPainter& text);

// Fills the bitmap with ButtonFace, or copies the parent's background when there is one.
void FillBackground(Bitmap32& target, const SkinModel& skin, ButtonBackground background,
                    const Bitmap32* parentBackground);

// The system button-shadow colour, used for the text of disabled controls.
TColor DisabledTextColour();

} // namespace tw
