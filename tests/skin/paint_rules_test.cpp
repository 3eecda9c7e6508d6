// Frame choice and state rules of the control painters, table by table.

#include "skin/model/system_colour.h"
#include "skin/paint/paint_check.h"
#include "skin/paint/paint_combo.h"
#include "skin/paint/paint_panels.h"
#include "skin/paint/paint_progress.h"
#include "skin/paint/paint_tab.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

constexpr auto kOn = ControlEnabled::Enabled;
constexpr auto kOff = ControlEnabled::Disabled;

TEST(PaintRulesTest, PushButtonFrames) {
  struct Row {
    unsigned bits;
    ControlEnabled enabled;
    ControlFocus focus;
    ButtonDefault isDefault;
    int frame;
  };
  constexpr auto F = ControlFocus::Focused;
  constexpr auto U = ControlFocus::Unfocused;
  constexpr auto D = ButtonDefault::Default;
  constexpr auto P = ButtonDefault::Plain;
  const Row rows[] = {
      {0, kOn, U, P, 1},
      {kButtonHover, kOn, U, P, 4},
      {kButtonPressed, kOn, U, P, 2},
      {kButtonHover | kButtonPressed, kOn, F, D, 2}, // pressed wins over everything enabled
      {kButtonHover, kOn, F, D, 4},                  // hover wins over focus and default
      {0, kOn, F, P, 5},
      {0, kOn, U, D, 5},
      {0, kOff, U, P, 3},
      {kButtonHover | kButtonPressed, kOff, F, D, 3}, // disabled always 3
  };
  for (const Row& r : rows)
    EXPECT_EQ(PushButtonFrame({r.bits, r.enabled, r.focus, r.isDefault}), r.frame)
        << r.bits << " " << static_cast<int>(r.enabled) << " " << static_cast<int>(r.focus);
}

class PaintColourTest : public SkinTest {};

TEST_F(PaintColourTest, PushButtonTextColourPerFrame) {
  platform.colours[SysColour::BtnShadow] = MakeColour(1, 2, 3);
  TDataSkinButton b;
  b.NormalColour2 = 0x111111;
  b.MouseOverColour2 = 0x222222;
  b.PressedColour2 = 0x333333;
  const TColor font = 0x0000FF;
  // Nothing given: the font's colour, except disabled.
  EXPECT_EQ(PushButtonTextColour(b, 1, font), font);
  EXPECT_EQ(PushButtonTextColour(b, 4, font), font);
  EXPECT_EQ(PushButtonTextColour(b, 3, font), MakeColour(1, 2, 3));
  // Only the hover and pressed colours given: other frames keep the font's colour.
  b.MouseOverColour2Given = b.PressedColour2Given = true;
  EXPECT_EQ(PushButtonTextColour(b, 4, font), 0x222222);
  EXPECT_EQ(PushButtonTextColour(b, 2, font), 0x333333);
  EXPECT_EQ(PushButtonTextColour(b, 5, font), font);
  b.NormalColour2Given = true;
  EXPECT_EQ(PushButtonTextColour(b, 1, font), 0x111111);
  EXPECT_EQ(PushButtonTextColour(b, 5, font), 0x111111);
  EXPECT_EQ(PushButtonTextColour(b, 3, font), MakeColour(1, 2, 3));
  // Hover given but pressed not: a pressed button falls back to NormalColour2.
  b.PressedColour2Given = false;
  EXPECT_EQ(PushButtonTextColour(b, 2, font), 0x111111);
}

TEST(PaintRulesTest, ButtonReleasedOutsideDoesNotClickReleasedInsideClicksOnce) {
  PushButtonTracker outside;
  EXPECT_EQ(outside.Handle(ButtonInput::MouseMove, kOn), ButtonReaction::Repaint);
  EXPECT_EQ(outside.Handle(ButtonInput::LeftDown, kOn), ButtonReaction::Repaint);
  EXPECT_EQ(outside.Bits(), kButtonHover | kButtonPressed);
  EXPECT_EQ(outside.Handle(ButtonInput::MouseLeave, kOn), ButtonReaction::Repaint);
  // Back over the button with the mouse still down, then released: no click.
  outside.Handle(ButtonInput::MouseMove, kOn);
  EXPECT_EQ(outside.Handle(ButtonInput::LeftUp, kOn), ButtonReaction::None);

  PushButtonTracker inside;
  inside.Handle(ButtonInput::MouseMove, kOn);
  inside.Handle(ButtonInput::LeftDown, kOn);
  EXPECT_EQ(inside.Handle(ButtonInput::LeftUp, kOn), ButtonReaction::RepaintAndClick);
  EXPECT_EQ(inside.Bits(), kButtonHover);
  EXPECT_EQ(inside.Handle(ButtonInput::LeftUp, kOn), ButtonReaction::None);

  // The space key presses without clicking; a disabled button never hovers.
  PushButtonTracker keys;
  keys.Handle(ButtonInput::SpaceDown, kOn);
  EXPECT_EQ(keys.Bits(), kButtonPressed);
  EXPECT_EQ(keys.Handle(ButtonInput::SpaceUp, kOn), ButtonReaction::Repaint);
  EXPECT_EQ(keys.Handle(ButtonInput::MouseMove, kOff), ButtonReaction::None);
  EXPECT_EQ(keys.Bits(), 0u);
}

TEST(PaintRulesTest, ButtonBackgroundAndCommandRules) {
  const TSkinOptions none;
  EXPECT_EQ(PushButtonBackground(0, none), ButtonBackground::ButtonFace);
  EXPECT_EQ(PushButtonBackground(5555, none), ButtonBackground::Parent);
  EXPECT_EQ(PushButtonBackground(0, TSkinOptions{TSkinOption::xoTransparent}),
            ButtonBackground::Parent);
  EXPECT_TRUE(PaintsOwnBackground("TRzButton"));
  EXPECT_TRUE(PaintsOwnBackground("TElPopupButton"));
  EXPECT_FALSE(PaintsOwnBackground("TButton"));
  EXPECT_FALSE(PaintsOwnBackground("Te"));
  EXPECT_EQ(ForeignButtonCommandId("TButton", 1001), 0);
  EXPECT_EQ(ForeignButtonCommandId("Button", 1001), 1001);
  EXPECT_EQ(WithLineBreaks("Save||All|Items"), "Save\r\nAll|Items");
  EXPECT_EQ(WithLineBreaks("|||"), "\r\n|");
}

TEST(PaintRulesTest, ButtonTextIsCentredInsideTwoPixelsAndFocusRectInflatesByTwo) {
  const Rect client{0, 0, 75, 25};
  const auto layout = LayOutButtonText(client, {30, 10}, ControlFocus::Focused, {});
  EXPECT_EQ(layout.text, (Rect{22, 7, 52, 17}));
  ASSERT_TRUE(layout.focus);
  EXPECT_EQ(*layout.focus, (Rect{20, 5, 54, 19}));
  EXPECT_FALSE(LayOutButtonText(client, {30, 10}, ControlFocus::Unfocused, {}).focus);
  EXPECT_FALSE(LayOutButtonText(client, {30, 10}, ControlFocus::Focused,
                                TSkinOptions{TSkinOption::xoNoFocusRect})
                   .focus);
  // Text wider than the inner area is held to it.
  EXPECT_EQ(LayOutButtonText(client, {200, 20}, ControlFocus::Unfocused, {}).text,
            (Rect{2, 2, 73, 22}));
}

TEST(PaintRulesTest, CheckBoxFramesAndTheTwelveFrameRemap) {
  using S = CheckState;
  struct Row {
    S window;
    ControlEnabled enabled;
    int five;   // strip of 5 frames
    int twelve; // strip of 12 frames
  };
  const Row rows[] = {
      {S::Unchecked, kOn, 1, 1}, {S::Checked, kOn, 2, 5},       {S::Unchecked, kOff, 3, 4},
      {S::Checked, kOff, 4, 8},  {S::Indeterminate, kOn, 4, 9}, {S::Indeterminate, kOff, 4, 12},
  };
  for (const Row& r : rows) {
    CheckBoxState s;
    s.window = r.window;
    s.enabled = r.enabled;
    EXPECT_EQ(CheckBoxFrame(s, 5), r.five) << static_cast<int>(r.window) << int(r.enabled);
    EXPECT_EQ(CheckBoxFrame(s, 12), r.twelve) << static_cast<int>(r.window) << int(r.enabled);
  }
}

TEST(PaintRulesTest, CheckBoxPropertiesOverrideTheWindowState) {
  CheckBoxState s;
  s.window = CheckState::Checked;
  s.stateProperty = "cbUnchecked"; // "uncheck" is tested before "check"
  EXPECT_EQ(CheckBoxFrame(s, 5), 1);
  s.window = CheckState::Unchecked;
  s.stateProperty = "cbChecked";
  EXPECT_EQ(CheckBoxFrame(s, 5), 2);
  s.stateProperty = "cbGrayed";
  EXPECT_EQ(CheckBoxFrame(s, 5), 4);
  EXPECT_EQ(CheckBoxFrame(s, 12), 8);
  s.stateProperty = "something";
  EXPECT_EQ(CheckBoxFrame(s, 5), 1);
  // State wins over Checked; without State, Checked decides.
  s.stateProperty = "cbUnchecked";
  s.checkedProperty = "True";
  EXPECT_EQ(CheckBoxFrame(s, 5), 1);
  s.stateProperty.reset();
  EXPECT_EQ(CheckBoxFrame(s, 5), 2);
  s.checkedProperty = "false";
  s.window = CheckState::Checked;
  EXPECT_EQ(CheckBoxFrame(s, 5), 1);
  // A data-aware control's own state, 3 showing as greyed; a data binding shows unchecked.
  s.dataAwareState = 3;
  EXPECT_EQ(CheckBoxFrame(s, 5), 4);
  s.dataAwareState = 2;
  EXPECT_EQ(CheckBoxFrame(s, 5), 2);
  s.dataBinding = DataBinding::Bound;
  EXPECT_EQ(CheckBoxFrame(s, 5), 1);
  // Greyed and disabled would lie past a 5-frame strip; it stays on the strip's last frame.
  CheckBoxState grey;
  grey.stateProperty = "cbGrayed";
  grey.enabled = kOff;
  EXPECT_EQ(CheckBoxFrame(grey, 5), 5);
}

TEST(PaintRulesTest, RadioFramesAndTheEightFrameRemap) {
  struct Row {
    CheckState window;
    const char* checked;
    ControlEnabled enabled;
    int four;
    int eight;
  };
  const Row rows[] = {
      {CheckState::Unchecked, nullptr, kOn, 1, 1}, {CheckState::Checked, nullptr, kOn, 2, 5},
      {CheckState::Unchecked, "true", kOn, 2, 5},  {CheckState::Unchecked, "false", kOff, 3, 4},
      {CheckState::Checked, nullptr, kOff, 4, 8},
  };
  for (const Row& r : rows) {
    RadioButtonState s;
    s.window = r.window;
    if (r.checked != nullptr)
      s.checkedProperty = r.checked;
    s.enabled = r.enabled;
    EXPECT_EQ(RadioButtonFrame(s, 4), r.four);
    EXPECT_EQ(RadioButtonFrame(s, 8), r.eight);
  }
}

TEST(PaintRulesTest, CheckGlyphSitsAtItsEdgeAndTheCaptionTwoPixelsBeyond) {
  const CheckLayout left = LayOutCheck({0, 0, 120, 17}, 13, 13, GlyphSide::Left);
  EXPECT_EQ(left.glyph, (Rect{0, 2, 13, 15}));
  EXPECT_EQ(left.caption, (Rect{15, 0, 120, 17}));
  const CheckLayout right = LayOutCheck({0, 0, 120, 17}, 13, 13, GlyphSide::Right);
  EXPECT_EQ(right.glyph, (Rect{107, 2, 120, 15}));
  EXPECT_EQ(right.caption, (Rect{0, 0, 105, 17}));
}

TEST(PaintRulesTest, ComboStateFrames) {
  struct Row {
    ComboPressed pressed;
    ControlFocus focus;
    ComboHover hover;
    ControlEnabled enabled;
    int frame;
  };
  using CP = ComboPressed;
  using CH = ComboHover;
  constexpr auto F = ControlFocus::Focused;
  constexpr auto U = ControlFocus::Unfocused;
  const Row rows[] = {
      {CP::Released, U, CH::Outside, kOn, 1},  {CP::Pressed, U, CH::Outside, kOn, 2},
      {CP::Pressed, F, CH::Hovered, kOn, 2},   {CP::Released, F, CH::Outside, kOn, 4},
      {CP::Released, U, CH::Hovered, kOn, 4},  {CP::Pressed, F, CH::Hovered, kOff, 3},
      {CP::Released, U, CH::Outside, kOff, 3},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ComboStateFrame({r.pressed, r.focus, r.hover, r.enabled}), r.frame);
}

TEST(PaintRulesTest, ComboButtonAreaLiesTwoPixelsInsideItsEdge) {
  const Rect client{0, 0, 145, 21};
  EXPECT_EQ(ComboButtonArea(client, 16, LayoutDirection::LeftToRight), (Rect{127, 2, 143, 19}));
  EXPECT_EQ(ComboButtonArea(client, 16, LayoutDirection::RightToLeft), (Rect{2, 2, 18, 19}));
  EXPECT_EQ(ComboEditArea(client, 16, LayoutDirection::LeftToRight), (Rect{2, 2, 127, 19}));
  EXPECT_EQ(ComboEditArea(client, 16, LayoutDirection::RightToLeft), (Rect{18, 2, 143, 19}));
}

TEST(PaintRulesTest, ProgressFillWidths) {
  struct Row {
    int width, position, maximum, filled;
  };
  const Row rows[] = {
      {200, 0, 100, 0}, // position 0: the empty bar
      {200, 50, 0, 0},  // maximum 0: the empty bar, no division
      {200, 50, -5, 0},   {200, -3, 100, 0},  {200, 1, 3, 66},
      {200, 34, 34, 200}, {200, 90, 34, 200}, // past the maximum stays inside the bar
      {0, 5, 10, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ProgressFillWidth(r.width, r.position, r.maximum), r.filled)
        << r.width << " " << r.position << " " << r.maximum;

  EXPECT_EQ(ProgressRangeFillWidth(200, 30, 10, 110), 40);
  EXPECT_EQ(ProgressRangeFillWidth(200, 10, 10, 110), 0);
  EXPECT_EQ(ProgressRangeFillWidth(200, 5, 10, 110), 0);
  EXPECT_EQ(ProgressRangeFillWidth(200, 500, 10, 110), 200);
  EXPECT_EQ(ProgressRangeFillWidth(200, 7, 7, 7), 0); // empty range
}

TEST(PaintRulesTest, TabPositionsAreasAndFrames) {
  EXPECT_EQ(TabPositionFromStyle(0), TabPosition::Top);
  EXPECT_EQ(TabPositionFromStyle(kTabStyleBottom), TabPosition::Bottom);
  EXPECT_EQ(TabPositionFromStyle(kTabStyleVertical), TabPosition::Left);
  EXPECT_EQ(TabPositionFromStyle(kTabStyleVertical | kTabStyleBottom), TabPosition::Right);

  const Rect client{0, 0, 300, 200};
  struct Row {
    TabPosition position;
    Rect adjusted;
    Rect display;
    Rect strip;
  };
  const Row rows[] = {
      {TabPosition::Top, {4, 26, 296, 196}, {0, 21, 300, 199}, {0, 0, 300, 21}},
      {TabPosition::Bottom, {4, 4, 296, 174}, {0, 1, 300, 179}, {0, 179, 300, 200}},
      {TabPosition::Left, {26, 4, 296, 196}, {21, 0, 299, 200}, {0, 0, 21, 200}},
      {TabPosition::Right, {4, 4, 274, 196}, {1, 0, 279, 200}, {279, 0, 300, 200}},
  };
  for (const Row& r : rows) {
    const Rect display = TabDisplayArea(r.adjusted, r.position);
    EXPECT_EQ(display, r.display) << static_cast<int>(r.position);
    EXPECT_EQ(TabStripArea(client, display, r.position), r.strip);
  }
  EXPECT_EQ(TabDrawnRect({10, 2, 60, 22}, TabPosition::Top), (Rect{10, 1, 60, 21}));
  EXPECT_EQ(TabDrawnRect({2, 10, 22, 60}, TabPosition::Right), (Rect{3, 10, 23, 60}));

  EXPECT_EQ(TabFrame(0, 1), 1);
  EXPECT_EQ(TabFrame(1, 1), 2);
  EXPECT_EQ(TabFrame(0, -1), 1);
  TDataSkinObject tabs;
  tabs.NormalColour2 = 0x010203;
  tabs.MouseOverColour2 = 0x040506;
  EXPECT_EQ(TabCaptionColour(tabs, 1, 1), 0x040506);
  EXPECT_EQ(TabCaptionColour(tabs, 0, 1), 0x010203);
  EXPECT_EQ(TabCloseBox({10, 1, 60, 21}), (Rect{52, 3, 58, 9}));
}

// The strip and the tabs' corners take the parent's Color property as the form data writes it
// (an identifier, a number, a system colour's negative value), and ButtonFace without one.
TEST_F(PaintColourTest, TheTabStripTakesTheParentsColourOrButtonFace) {
  platform.colours[SysColour::BtnFace] = MakeColour(240, 240, 240);
  const TColor face = MakeColour(243, 245, 248);
  const auto strip = [&](std::optional<std::string> parent) {
    return ColorToRGB(TabStripBackground(parent, face));
  };
  EXPECT_EQ(strip("clBtnFace"), MakeColour(240, 240, 240));
  EXPECT_EQ(strip("CLBTNFACE"), MakeColour(240, 240, 240));
  EXPECT_EQ(strip("-16777201"), MakeColour(240, 240, 240));
  EXPECT_EQ(strip("clWhite"), kWhite);
  EXPECT_EQ(strip("clMaroon"), MakeColour(128, 0, 0));
  EXPECT_EQ(strip("$00FF8000"), MakeColour(0, 128, 255));
  EXPECT_EQ(strip("255"), MakeColour(255, 0, 0));
  for (const char* unknown : {"", "clNoSuchColour", "12abc", "$", "$XYZ", "-"})
    EXPECT_EQ(strip(unknown), face) << unknown;
  EXPECT_EQ(strip(std::nullopt), face);
}

TEST(PaintRulesTest, TabPaneMarginsFollowTheTabsStyle) {
  SkinModel skin;
  auto tabs = std::make_unique<TDataSkinBorder>();
  auto pane = std::make_unique<TDataSkinObject>();
  pane->LeftWidth = 1;
  pane->TopHeight = 2;
  pane->RightWidth = 3;
  pane->BottomHeight = 4;
  tabs->Style = 0;
  auto* tabsRaw = tabs.get();
  skin.Elements[static_cast<std::size_t>(SkinElement::Tabs)] = std::move(tabs);
  skin.Elements[static_cast<std::size_t>(SkinElement::TabPane)] = std::move(pane);
  auto same = [](Margins a, Margins b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  };
  EXPECT_TRUE(same(TabPaneMargins(skin), {4, 5, 4, 4}));
  tabsRaw->Style = 1;
  EXPECT_TRUE(same(TabPaneMargins(skin), {1, 2, 3, 4}));
}

TEST(PaintRulesTest, SmallerMembersFrames) {
  EXPECT_EQ(HeaderSectionFrame(SectionState::Normal, 4), 1);
  EXPECT_EQ(HeaderSectionFrame(SectionState::Hovered, 4), 2);
  EXPECT_EQ(HeaderSectionFrame(SectionState::Pressed, 4), 3);
  EXPECT_EQ(HeaderSectionFrame(SectionState::Pressed, 2), 2);
  EXPECT_EQ(TrackBarThumbFrame(ThumbState::Pressed, kOff, ControlFocus::Focused), 4);
  EXPECT_EQ(TrackBarThumbFrame(ThumbState::Pressed, kOn, ControlFocus::Focused), 3);
  EXPECT_EQ(TrackBarThumbFrame(ThumbState::Hovered, kOn, ControlFocus::Focused), 2);
  EXPECT_EQ(TrackBarThumbFrame(ThumbState::Normal, kOn, ControlFocus::Focused), 5);
  EXPECT_EQ(TrackBarThumbFrame(ThumbState::Normal, kOn, ControlFocus::Unfocused), 1);
  using P = UpDownPart;
  EXPECT_EQ(UpDownFrame(P::First, P::None, P::None, kOn), 1);
  EXPECT_EQ(UpDownFrame(P::First, P::First, P::None, kOn), 2);
  EXPECT_EQ(UpDownFrame(P::First, P::First, P::First, kOn), 3);
  EXPECT_EQ(UpDownFrame(P::Second, P::First, P::First, kOn), 5);
  EXPECT_EQ(UpDownFrame(P::Second, P::Second, P::None, kOff), 8);
  EXPECT_EQ(UpDownHalves({0, 0, 16, 23}, BarOrientation::Vertical).second, (Rect{0, 11, 16, 23}));
  EXPECT_EQ(UpDownHalves({0, 0, 31, 16}, BarOrientation::Horizontal).first, (Rect{0, 0, 15, 16}));
  EXPECT_EQ(EditHasBorder({0, 0, 100, 21}, 96, 17), HasBorder::Yes);
  EXPECT_EQ(EditHasBorder({0, 0, 100, 21}, 100, 21), HasBorder::No);
}

} // namespace
} // namespace tw::test
