#pragma once
// The quieter members of the painter family: edit frames (TSkinEdit), boxes (TSkinBox,
// TSkinBoxH), group boxes (TSkinGroupBox), headers (TSkinHeader), status bars
// (TSkinStatusBar), track bars (TSkinTrackBar), up-down controls (TSkinUpDown) and size grips
// (TSkinSizer). Each draws its element's frame for the control's state with the nine-slice rule
// and hands its text to the TextPainter.

#include <string>
#include <vector>

#include "skin/paint/paint_button.h"
#include "skin/paint/paint_progress.h"

namespace tw {

// The edit frame, drawn over the window's border only when the window is larger than its
// client area: a 1-pixel ButtonShadow outline and two 1-pixel white outlines inside it.
enum class HasBorder { No, Yes };
HasBorder EditHasBorder(Rect window, int clientWidth, int clientHeight);
Painted ComposeEditFrame(Bitmap32& window, const SkinModel& skin, HasBorder border);

// Panels, containers and nested dialog pages: ButtonFace.
void ComposeBox(Bitmap32& target, const SkinModel& skin);

// Group boxes: the GroupBox element frames the area from half the caption's height down; the
// caption sits 8 pixels in (plus BackgroundLeftShift) on the GroupBoxEdge element (frame 1, or
// 2 when disabled) widened by 2 pixels each side.
struct GroupBoxLayout {
  Rect frame;
  Rect captionBack;
  Rect caption;
};
GroupBoxLayout LayOutGroupBox(Rect client, TextSize caption, int leftShift);

struct GroupBoxPaint {
  std::string caption;
  ControlEnabled enabled = ControlEnabled::Enabled;
  TColor fontColour = kBlack;
};
Painted ComposeGroupBox(Bitmap32& target, const SkinModel& skin, const GroupBoxPaint& paint,
                        TextPainter& text);

// Header sections: frame 1 normal, 2 hovered, 3 pressed; the space after the last section is
// drawn as a normal section without text.
enum class SectionState { Normal, Hovered, Pressed };
int HeaderSectionFrame(SectionState state, int frameCount);

struct HeaderSection {
  Rect rect;
  std::string text;
  SectionState state = SectionState::Normal;
};
struct HeaderPaint {
  std::vector<HeaderSection> sections;
  TColor fontColour = kBlack;
};
Painted ComposeHeader(Bitmap32& target, const SkinModel& skin, const HeaderPaint& paint,
                      TextPainter& text);

// Status bars: StatusBarEdges frame 1 across the bar, frame 2 on each panel, frame 3 centred
// (magenta transparent) on the size grip in the bottom-right corner; panel text 4 pixels in,
// centred vertically. A simple status bar is one panel across the bar.
struct StatusPanel {
  Rect rect;
  std::string text;
};
enum class SizeGrip { Hidden, Shown };
struct StatusBarPaint {
  std::vector<StatusPanel> panels;
  SizeGrip grip = SizeGrip::Hidden;
  TColor fontColour = kBlack;
};
Painted ComposeStatusBar(Bitmap32& target, const SkinModel& skin, const StatusBarPaint& paint,
                         TextPainter& text);

// Track bars: the Track (or TRACKVERT) channel and the thumb element in frame 1 normal, 2
// hovered, 3 pressed, 4 disabled, 5 focused.
enum class ThumbState { Normal, Hovered, Pressed };
int TrackBarThumbFrame(ThumbState thumb, ControlEnabled enabled, ControlFocus focus);

struct TrackBarPaint {
  BarOrientation orientation = BarOrientation::Horizontal;
  Rect channel; // as the control reports them
  Rect thumb;
  ThumbState thumbState = ThumbState::Normal;
  ControlEnabled enabled = ControlEnabled::Enabled;
  ControlFocus focus = ControlFocus::Unfocused;
};
Painted ComposeTrackBar(Bitmap32& target, const SkinModel& skin, const TrackBarPaint& paint);

// Up-down controls: two halves (up and down, or left and right), each drawn from the 8-frame
// UpDown element: frames 1 to 4 for the first half and 5 to 8 for the second, in the order
// normal, hovered, pressed, disabled; the element's glyph strip (two frames, one per half) is
// centred on each half.
enum class UpDownPart { None, First, Second };
int UpDownFrame(UpDownPart part, UpDownPart hot, UpDownPart pressed, ControlEnabled enabled);
// The two halves: top and bottom for a vertical control, left and right for a horizontal one.
std::pair<Rect, Rect> UpDownHalves(Rect client, BarOrientation orientation);

struct UpDownPaint {
  BarOrientation orientation = BarOrientation::Vertical;
  UpDownPart hot = UpDownPart::None;
  UpDownPart pressed = UpDownPart::None;
  ControlEnabled enabled = ControlEnabled::Enabled;
};
Painted ComposeUpDown(Bitmap32& target, const SkinModel& skin, const UpDownPaint& paint);

// Size grips: ButtonFace with three diagonal ridges (ButtonHilight over ButtonShadow) in the
// bottom-right corner.
void ComposeSizer(Bitmap32& target, const SkinModel& skin);

} // namespace tw
