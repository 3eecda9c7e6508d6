#pragma once
// Check boxes and radio buttons (TSkinCheckBox, TSkinRadioButton): the frame of the check or
// radio bitmap for the control's state, the glyph and caption layout, and the composition.

#include <optional>
#include <string>

#include "skin/paint/paint_button.h"

namespace tw {

// The check state the window reports.
enum class CheckState { Unchecked, Checked, Indeterminate };
enum class DataBinding { None, Bound };

struct CheckBoxState {
  CheckState window = CheckState::Unchecked;
  // Published properties of a control object, when it has them.
  std::optional<std::string> stateProperty;   // "State": "cbUnchecked", "cbChecked", "cbGrayed"
  std::optional<std::string> checkedProperty; // "Checked": "true" or "false"
  // A data-aware control's own recorded state (1 to 3), when it has set one.
  std::optional<int> dataAwareState;
  DataBinding dataBinding = DataBinding::None;
  ControlEnabled enabled = ControlEnabled::Enabled;
};

// Frame of the check-box strip: checked 2, unchecked 1, greyed 4, disabled +2, indeterminate 4;
// strips of exactly 12 frames remap 2 -> 5, 3 -> 4, 4 -> 8 and show indeterminate as 9 (12
// when disabled). The result never exceeds the strip.
int CheckBoxFrame(const CheckBoxState& state, int frameCount);

struct RadioButtonState {
  CheckState window = CheckState::Unchecked;
  std::optional<std::string> checkedProperty;
  ControlEnabled enabled = ControlEnabled::Enabled;
};

// Frame of the radio strip: checked 2, otherwise 1, +2 when disabled; strips of exactly 8
// frames remap 2 -> 5, 3 -> 4, 4 -> 8.
int RadioButtonFrame(const RadioButtonState& state, int frameCount);

// The left-text style puts the glyph at the right edge.
enum class GlyphSide { Left, Right };

struct CheckLayout {
  Rect glyph;
  Rect caption; // the area the caption may use
};

// The glyph centred vertically at its edge; the caption from 2 pixels beyond it to the other
// edge.
CheckLayout LayOutCheck(Rect client, int glyphWidth, int glyphHeight, GlyphSide side);

enum class CheckKind { CheckBox, RadioButton };

struct CheckPaint {
  CheckKind kind = CheckKind::CheckBox;
  int frame = 1; // from CheckBoxFrame or RadioButtonFrame
  ControlEnabled enabled = ControlEnabled::Enabled;
  ControlFocus focus = ControlFocus::Unfocused;
  GlyphSide side = GlyphSide::Left;
  ReadingOrder order = ReadingOrder::LeftToRight;
  std::string caption;
  TColor fontColour = kBlack;
  ButtonBackground background = ButtonBackground::ButtonFace;
  const Bitmap32* parentBackground = nullptr;
};

// Background, glyph, word-wrapped caption centred vertically in its area, and a focus
// rectangle around a non-empty caption while focused. Without the check or radio bitmap the
// control keeps its standard look.
Painted ComposeCheck(Bitmap32& target, const SkinModel& skin, const CheckPaint& paint,
                     TextPainter& text);

} // namespace tw
