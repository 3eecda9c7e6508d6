// The skinned frame's rules: styles, geometry, caption-button visibility, layout, caption text
// placement, frame choice, hit testing, actions and hints.

#include "skin/model/embedded_skin.h"
#include "skin/model/skin_data.h"
#include "skin/paint/caption_hint.h"
#include "skin/paint/form_layout.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

// ---- Styles

TEST(FormStyle, BorderStyleFromStylesAndClass) {
  const WindowStyle caption = kWsCaption | kWsSysMenu;
  EXPECT_EQ(DecodeBorderStyle(caption | kWsThickFrame, 0, "TForm1"), BorderStyle::Sizeable);
  EXPECT_EQ(DecodeBorderStyle(caption, 0, "TWKSForm"), BorderStyle::Single);
  EXPECT_EQ(DecodeBorderStyle(kWsPopup | kWsBorder, 0, "TForm1"), BorderStyle::None);
  EXPECT_EQ(DecodeBorderStyle(caption | kWsThickFrame | kDsModalFrame, 0, "X"),
            BorderStyle::Dialog);
  EXPECT_EQ(DecodeBorderStyle(caption, kWsExDlgModalFrame, "X"), BorderStyle::Dialog);
  EXPECT_EQ(DecodeBorderStyle(caption, 0, "#32770"), BorderStyle::Dialog);
  EXPECT_EQ(DecodeBorderStyle(caption | kWsThickFrame, 0, "TMessageForm"), BorderStyle::Dialog);
  // Without a caption nothing is painted, whatever the class.
  EXPECT_EQ(DecodeBorderStyle(kWsPopup, 0, "#32770"), BorderStyle::None);
}

TEST(FormStyle, IconsRolesAndStates) {
  const BorderIcons main =
      DecodeBorderIcons(kWsCaption | kWsSysMenu | kWsMinimizeBox, 0, SystemMenuHandle::Absent);
  EXPECT_EQ(main, (BorderIcons{BorderIcon::Minimize, BorderIcon::SystemMenu}));
  EXPECT_EQ(DecodeBorderIcons(kWsMaximizeBox, kWsExContextHelp | kWsExAppWindow,
                              SystemMenuHandle::Present)
                .Mask(),
            0b11101u);
  EXPECT_EQ(DecodeMdiRole(kWsExMdiChild, MdiClient::Present), MdiRole::Child);
  EXPECT_EQ(DecodeMdiRole(0, MdiClient::Present), MdiRole::Frame);
  EXPECT_EQ(DecodeMdiRole(0, MdiClient::Absent), MdiRole::None);
  EXPECT_EQ(StateFromShowCommand(kSwShowMinimized), WindowState::Minimized);
  EXPECT_EQ(StateFromShowCommand(kSwMinimize), WindowState::Minimized);
  EXPECT_EQ(StateFromShowCommand(kSwShowMinNoActive), WindowState::Minimized);
  EXPECT_EQ(StateFromShowCommand(kSwShowMaximized), WindowState::Maximized);
  EXPECT_EQ(StateFromShowCommand(1), WindowState::Normal);
  EXPECT_EQ(StateFromShowCommand(9), WindowState::Normal);
}

TEST(FormStyle, StyleRuleRemovesAndPutsBackTheCaptionButtonStyles) {
  const WindowStyle original = kWsVisible | kWsCaption | kWsSysMenu | kWsMinimizeBox;
  const BorderIcons icons = DecodeBorderIcons(original, 0, SystemMenuHandle::Absent);
  const WindowStyle skinned =
      ApplyStyleRule(original, icons, StyleRuleFor(WindowState::Normal, MdiRole::None));
  EXPECT_EQ(skinned, kWsVisible | kWsCaption);
  // Restoring gives back exactly what the window had, and nothing it did not have.
  EXPECT_EQ(ApplyStyleRule(skinned, icons, CaptionStyles::Restored), original);
  EXPECT_EQ(StyleRuleFor(WindowState::Minimized, MdiRole::None), CaptionStyles::Restored);
  EXPECT_EQ(StyleRuleFor(WindowState::Maximized, MdiRole::Child), CaptionStyles::Restored);
  EXPECT_EQ(StyleRuleFor(WindowState::Maximized, MdiRole::None), CaptionStyles::Removed);
  EXPECT_EQ(StyleRuleFor(WindowState::Normal, MdiRole::Child), CaptionStyles::Removed);
}

// ---- The embedded skin on the main window

class EmbeddedFrameTest : public SkinTest {
protected:
  void SetUp() override {
    data.BeginReading();
    data.SetActive(true);
    data.ReadSkinStream(EmbeddedSkinStream());
    data.Loaded();
    ASSERT_FALSE(data.NoSkin());
    icon = Bitmap32(16, 16, 0x2060A0);
    buttons = FormCaptionButtons(data.Model(), icon);
    facts.border = BorderStyle::Single;
    facts.icons = BorderIcons{BorderIcon::SystemMenu, BorderIcon::Minimize};
    input.geometry =
        ComputeGeometry(data.Model(), facts.border, WindowMenu::Absent, MdiRole::None, {});
    input.windowWidth = 833 + 8;
    input.windowHeight = 590 + 35;
    input.textWidth = 120;
    input.textHeight = 13;
  }
  FrameLayout Layout() {
    input.facts = facts;
    return LayoutFrame(data.Model(), buttons, input, nullptr);
  }

  TSkinData data;
  Bitmap32 icon;
  std::vector<TDataSkinSysButton> buttons;
  FormFacts facts;
  LayoutInput input;
};

TEST_F(EmbeddedFrameTest, BordersAndTheClientAreaOfTheMainWindow) {
  EXPECT_EQ(input.geometry, (FormGeometry{4, 30, 4, 5, 0, 0}));
  // The window grows around its 833 x 590 client area, which stays where it was.
  const Rect client = Rect::FromSize(200, 150, 833, 590);
  const Rect window = WindowRectForClient(client, input.geometry);
  EXPECT_EQ(window, (Rect{196, 120, 1037, 745}));
  EXPECT_EQ(SkinClientRect(window, input.geometry), client);
  const FormGeometry withMenu = ComputeGeometry(data.Model(), BorderStyle::Sizeable,
                                                WindowMenu::Present, MdiRole::None, {19, 18, 4});
  EXPECT_EQ(withMenu.menuBar, 19);
  EXPECT_EQ(withMenu.Top(), 49);
  EXPECT_EQ(
      ComputeGeometry(data.Model(), BorderStyle::None, WindowMenu::Present, MdiRole::None, {}),
      FormGeometry{});
}

TEST_F(EmbeddedFrameTest, CaptionButtonsOfTheMainWindow) {
  const FrameLayout layout = Layout();
  ASSERT_EQ(layout.buttons.size(), 8u);
  const CaptionButtonPlacement& close = layout.buttons[0];
  EXPECT_TRUE(close.visible);
  EXPECT_TRUE(close.enabled);
  EXPECT_EQ(close.rect.left, 841 - 25);
  EXPECT_EQ(close.rect.top, 5);
  const CaptionButtonPlacement& maximize = layout.buttons[1];
  EXPECT_TRUE(maximize.visible);
  EXPECT_FALSE(maximize.enabled);
  EXPECT_EQ(maximize.rect.left, 841 - 49);
  EXPECT_EQ(CaptionButtonFrame(buttons[1], NcState::Hover, maximize.enabled, Activity::Active), 4);
  EXPECT_FALSE(layout.buttons[2].visible); // restore
  EXPECT_EQ(layout.buttons[3].rect.left, 841 - 73);
  EXPECT_TRUE(layout.buttons[3].enabled);
  EXPECT_EQ(layout.buttons[4].rect, Rect::FromSize(8, 7, 16, 16)); // the icon button
  EXPECT_TRUE(layout.buttons[4].visible);
  for (int i = 5; i < 8; ++i)
    EXPECT_FALSE(layout.buttons[static_cast<std::size_t>(i)].visible) << i; // MDI buttons
  EXPECT_EQ(layout.rightButtonsLeft, 841 - 73);
  // Caption text at TextShift 28, its own text inside TXTBackleft 14, centred vertically
  // (30 - 13) / 2 plus TextShiftVert 2 / 2; the TextBack keeps its frame height of 22.
  EXPECT_EQ(layout.text.back, (Rect{28, 5, 28 + 120 + 18, 27}));
  EXPECT_EQ(layout.text.text, (Rect{42, 9, 42 + 120, 22}));

  facts.state = WindowState::Maximized;
  const FrameLayout maximized = Layout();
  EXPECT_FALSE(maximized.buttons[1].visible);
  EXPECT_TRUE(maximized.buttons[2].visible);
  EXPECT_EQ(maximized.buttons[2].rect.left, 841 - 49);

  facts.icons.Exclude(BorderIcon::SystemMenu);
  const FrameLayout noMenu = Layout();
  EXPECT_FALSE(noMenu.buttons[0].visible);
  EXPECT_FALSE(noMenu.buttons[3].enabled);
}

// ---- Visibility

struct VisibilityCase {
  int code;
  FormFacts facts;
  bool visibility;
  bool visibility1;
};

FormFacts With(std::initializer_list<BorderIcon> icons, WindowState state = WindowState::Normal,
               Activity activity = Activity::Active) {
  FormFacts f;
  f.icons = BorderIcons(icons);
  f.state = state;
  f.activity = activity;
  return f;
}

TEST(CaptionButtonVisibility, EveryCodeOfBothColumns) {
  using B = BorderIcon;
  FormFacts dialog = With({});
  dialog.border = BorderStyle::Dialog;
  FormFacts messageBox = dialog;
  messageBox.standardMessageDialog = true;
  FormFacts mdiMax = With({});
  mdiMax.mdiChildMaximized = true;
  FormFacts mdiMaxSkinnedBar = mdiMax;
  mdiMaxSkinnedBar.skinnedMenuBar = true;
  const VisibilityCase cases[] = {
      {0, With({}), true, true},
      {1, With({}, WindowState::Maximized), true, true},
      {1, With({}), false, false},
      {2, With({}), true, true},
      {2, With({}, WindowState::Maximized), false, false},
      {3, With({}), true, true},
      {3, With({}, WindowState::Normal, Activity::Inactive), false, false},
      {4, With({}, WindowState::Normal, Activity::Inactive), true, true},
      {4, With({}), false, false},
      {6, With({B::Minimize, B::SystemMenu}), true, true},
      {6, With({B::Maximize}), false, true},
      {6, With({B::SystemMenu}), false, false},
      {8, With({B::Maximize}), false, true},
      {8, With({B::Maximize, B::SystemMenu}), true, true},
      {7, With({B::Minimize}), true, true},
      {7, With({B::Maximize}), false, false},
      {9, With({B::Maximize}), true, true},
      {9, With({B::Minimize}), false, false},
      {10, With({B::Help}), true, true},
      {10, With({B::Help, B::Minimize}), false, true},
      {10, With({}), false, false},
      {100, mdiMax, false, false},
      {100, mdiMaxSkinnedBar, true, true},
      {200, dialog, true, true},
      {200, messageBox, false, true},
      {200, With({}), false, true},
      {201, With({}), true, true},
      {999, With({}), true, true},
      {5, With({}), false, false},
      {2001, With({}), false, false},
      {-1, With({}), false, false},
  };
  for (const VisibilityCase& c : cases) {
    EXPECT_EQ(VisibilityAllows(c.code, VisibilitySlot::Visibility, 0, c.facts, nullptr),
              c.visibility)
        << c.code;
    EXPECT_EQ(VisibilityAllows(c.code, VisibilitySlot::Visibility1, 0, c.facts, nullptr),
              c.visibility1)
        << c.code;
  }
}

TEST(CaptionButtonVisibility, CodesFrom1000To2000AskTheWindow) {
  std::vector<std::pair<int, int>> asked;
  int reply = 1;
  const VisibilityQuery query = [&](int code, int action) {
    asked.emplace_back(code, action);
    return reply;
  };
  const FormFacts facts;
  EXPECT_TRUE(VisibilityAllows(1500, VisibilitySlot::Visibility, 42, facts, query));
  reply = 0;
  EXPECT_FALSE(VisibilityAllows(2000, VisibilitySlot::Visibility, 43, facts, query));
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1500, 42}, {2000, 43}}));
  // The second code does not ask and allows.
  EXPECT_TRUE(VisibilityAllows(1000, VisibilitySlot::Visibility1, 44, facts, query));
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_FALSE(VisibilityAllows(1000, VisibilitySlot::Visibility, 0, facts, nullptr));
}

TEST(CaptionButtonVisibility, ActionAdjustments) {
  using B = BorderIcon;
  auto button = [](int action) {
    TDataSkinSysButton b;
    b.Action = action;
    return b;
  };
  const FormFacts all = With({B::Maximize, B::Minimize, B::SystemMenu});
  EXPECT_EQ(CaptionButtonAvailability(button(0), all, nullptr), (ButtonAvailability{true, true}));
  EXPECT_EQ(CaptionButtonAvailability(button(0), With({B::Maximize}), nullptr).visible, false);
  EXPECT_EQ(CaptionButtonAvailability(button(1), With({B::Maximize}), nullptr),
            (ButtonAvailability{true, false}));
  EXPECT_EQ(CaptionButtonAvailability(button(1), With({B::Minimize, B::SystemMenu}), nullptr),
            (ButtonAvailability{true, false}));
  EXPECT_EQ(CaptionButtonAvailability(button(2), With({B::Minimize, B::SystemMenu}), nullptr),
            (ButtonAvailability{true, true}));
  EXPECT_EQ(CaptionButtonAvailability(button(2), With({B::Minimize}), nullptr).enabled, false);
  FormFacts dialog = all;
  dialog.border = BorderStyle::Dialog;
  for (const int action : {3, 11, 12}) {
    EXPECT_FALSE(CaptionButtonAvailability(button(action), dialog, nullptr).visible) << action;
    EXPECT_TRUE(CaptionButtonAvailability(button(action), all, nullptr).visible) << action;
  }
  EXPECT_TRUE(CaptionButtonAvailability(button(0), dialog, nullptr).visible);
  // Both codes must allow.
  TDataSkinSysButton b = button(5);
  b.Visibility1 = 4;
  EXPECT_FALSE(CaptionButtonAvailability(b, all, nullptr).visible);
}

// ---- Placement

TDataSkinTitle Title(int alignment, int shiftVert = 0) {
  TDataSkinTitle t;
  t.LeftWidth = 10;  // TextShift
  t.RightWidth = 30; // TextRightClip
  t.TopHeight = shiftVert;
  t.TXTBackleft = 4;
  t.TXTBackRight = 6;
  t.TextAlignment = alignment;
  return t;
}

LayoutInput TextInput(int textWidth = 50) {
  LayoutInput in;
  in.windowWidth = 300;
  in.geometry.caption = 24;
  in.geometry.right = 4;
  in.textWidth = textWidth;
  in.textHeight = 12;
  return in;
}

TEST(CaptionText, ThreeAlignmentsAndVerticalCentring) {
  const LayoutInput in = TextInput();
  // Alignment 0 at TextShift; the text inside the TextBack margins.
  CaptionTextPlacement p = PlaceCaptionText(Title(0, 5), in, 200);
  EXPECT_EQ(p.back, (Rect{10, 8, 70, 20}));
  EXPECT_EQ(p.text, (Rect{14, 8, 64, 20}));
  EXPECT_EQ(p.clipRight, 270);
  // Centred in the caption.
  EXPECT_EQ(PlaceCaptionText(Title(1), in, 200).back.left, 120);
  // Against TextRightClip.
  p = PlaceCaptionText(Title(2), in, 200);
  EXPECT_EQ(p.back, (Rect{210, 6, 270, 18}));
  // Half of TextShiftVert, rounded towards zero (-3 moves one pixel up, not two).
  EXPECT_EQ(PlaceCaptionText(Title(0, -3), in, 200).text.top, 5);
  EXPECT_EQ(PlaceCaptionText(Title(0, 3), in, 200).text.top, 7);
}

TEST(CaptionText, RightToLeftMirrorsAndMovesTenPixels) {
  LayoutInput in = TextInput();
  in.facts.rightToLeft = true;
  EXPECT_EQ(PlaceCaptionText(Title(0), in, 200).back.left, 200 - 60 + 10);
  EXPECT_EQ(PlaceCaptionText(Title(1), in, 200).back.left, 70 + 10);
  EXPECT_EQ(PlaceCaptionText(Title(2), in, 200).back.left, 10 + 10);
  // Buttons close to the clip: the title ends at the clip rather than being cut there.
  CaptionTextPlacement p = PlaceCaptionText(Title(0), in, 265);
  EXPECT_EQ(p.back, (Rect{270 - 60, 6, 270, 18}));
  EXPECT_EQ(p.text.right - p.text.left, 50);
  // A title too long for the caption starts at TextShift and is cut at the clip.
  in.textWidth = 400;
  p = PlaceCaptionText(Title(0), in, 265);
  EXPECT_EQ(p.back.left, 10);
  EXPECT_EQ(p.back.right, 270);
}

TEST(CaptionText, DialogShiftAndClipping) {
  LayoutInput in = TextInput();
  in.facts.border = BorderStyle::Dialog;
  EXPECT_EQ(PlaceCaptionText(Title(0), in, 200).back.left, 10 - 16);
  EXPECT_EQ(PlaceCaptionText(Title(1), in, 200).back.left, 120);
  // A long text is clipped at TextRightClip ...
  in = TextInput(400);
  CaptionTextPlacement p = PlaceCaptionText(Title(0), in, 100);
  EXPECT_EQ(p.back.right, 270);
  EXPECT_EQ(p.text.right, 264);
  // ... and on popups 5 pixels before the right-aligned buttons,
  in.facts.popup = true;
  p = PlaceCaptionText(Title(0), in, 100);
  EXPECT_EQ(p.clipRight, 95);
  EXPECT_EQ(p.back.right, 95);
  EXPECT_EQ(p.text.right, 89);
  // unless those lie within 5 pixels of the left edge.
  EXPECT_EQ(PlaceCaptionText(Title(0), in, 5).clipRight, 270);
}

TDataSkinSysButton Button(int align, int x, int y, int action = 50) {
  TDataSkinSysButton b;
  b.Action = action;
  b.Align = align;
  b.XCoord = x;
  b.YCoord = y;
  b.FrameCount = 4;
  b.Bitmap = Bitmap32(40, 10, 0x404040);
  return b;
}

TEST(CaptionButtonLayout, EveryAlign) {
  LayoutInput in = TextInput();
  in.geometry.menuBar = 20;
  CaptionTextPlacement text;
  text.back = Rect{40, 6, 90, 18};
  EXPECT_EQ(PlaceCaptionButton(Button(0, 7, 3), in, text), Rect::FromSize(7, 3, 10, 10));
  EXPECT_EQ(PlaceCaptionButton(Button(1, 30, 3), in, text), Rect::FromSize(270, 3, 10, 10));
  for (const int align : {2, 8})
    EXPECT_EQ(PlaceCaptionButton(Button(align, 2, 4), in, text), Rect::FromSize(28, 4, 10, 10));
  for (const int align : {3, 9})
    EXPECT_EQ(PlaceCaptionButton(Button(align, 2, 4), in, text), Rect::FromSize(92, 4, 10, 10));
  // On the menu bar: from the right inside the right border, centred in the bar's height.
  EXPECT_EQ(PlaceCaptionButton(Button(100, 30, 0), in, text), Rect::FromSize(266, 29, 10, 10));
  in.mdiControlAreaWidth = 12;
  EXPECT_EQ(PlaceCaptionButton(Button(100, 30, 0), in, text).left, 254);
}

TEST(CaptionButtonLayout, ButtonsBesideTheTextFollowTheTextAndRightButtonsSetItsEdge) {
  TDataSkinTitle title = Title(0);
  title.TextAlignment = 0;
  SkinModel skin;
  skin.Title = title;
  LayoutInput in = TextInput();
  in.facts.rightToLeft = true;
  in.facts.icons = BorderIcons{BorderIcon::SystemMenu};
  const std::vector<TDataSkinSysButton> buttons = {Button(3, 5, 2), Button(1, 40, 2),
                                                   Button(1, 60, 2), Button(0, 1, 1)};
  const FrameLayout layout = LayoutFrame(skin, buttons, in, nullptr);
  EXPECT_EQ(layout.rightButtonsLeft, 240);
  // Right-to-left alignment 0 ends at the leftmost right-aligned button, 10 pixels moved.
  EXPECT_EQ(layout.text.back.left, 240 - 60 + 10);
  EXPECT_EQ(layout.buttons[0].rect.left, layout.text.back.right + 5);
  // A button without a bitmap never shows.
  std::vector<TDataSkinSysButton> bare = buttons;
  bare[3].Bitmap.Clear();
  EXPECT_FALSE(LayoutFrame(skin, bare, in, nullptr).buttons[3].visible);
  EXPECT_EQ(CaptionButtonAt(layout, {5, 5}), 3); // the Align 0 button at (1, 1)
  EXPECT_EQ(CaptionButtonAt(layout, {245, 5}), 2);
  EXPECT_EQ(CaptionButtonAt(layout, {299, 5}), -1);
}

// ---- Frames, hit testing, actions

TEST(FrameChoice, CaptionButtonsAndBorders) {
  TDataSkinSysButton four;
  four.FrameCount = 4;
  TDataSkinSysButton three;
  three.FrameCount = 3;
  TDataSkinSysButton mdi = four;
  mdi.Visibility = 100;
  const auto A = Activity::Active;
  const auto I = Activity::Inactive;
  EXPECT_EQ(CaptionButtonFrame(four, NcState::Normal, true, A), 1);
  EXPECT_EQ(CaptionButtonFrame(four, NcState::Hover, true, A), 2);
  EXPECT_EQ(CaptionButtonFrame(four, NcState::Pressed, true, A), 3);
  EXPECT_EQ(CaptionButtonFrame(four, NcState::Normal, false, A), 4);
  EXPECT_EQ(CaptionButtonFrame(four, NcState::Hover, true, I), 4);
  EXPECT_EQ(CaptionButtonFrame(three, NcState::Hover, false, A), 1);
  EXPECT_EQ(CaptionButtonFrame(three, NcState::Hover, true, I), 2);
  EXPECT_EQ(CaptionButtonFrame(mdi, NcState::Pressed, true, A), 4);
  EXPECT_EQ(CaptionButtonFrame(mdi, NcState::Hover, true, A), 2);
  EXPECT_EQ(BorderFrame(A, 2), 1);
  EXPECT_EQ(BorderFrame(I, 2), 2);
  EXPECT_EQ(BorderFrame(I, 1), 1);
}

TEST(FrameHitTest, CaptionAndMenuBar) {
  const FormGeometry g{4, 30, 4, 5, 19, 0};
  EXPECT_EQ(SkinHitTest(kHtNowhere, {100, 10}, g), kHtCaption);
  EXPECT_EQ(SkinHitTest(kHtCaption, {100, 3}, g), kHtCaption); // standard answer kept
  EXPECT_EQ(SkinHitTest(kHtNowhere, {100, 3}, g), kHtNowhere);
  EXPECT_EQ(SkinHitTest(kHtNowhere, {100, 4}, g), kHtCaption);
  EXPECT_EQ(SkinHitTest(kHtCaption, {100, 35}, g), kHtMenu);
  EXPECT_EQ(SkinHitTest(kHtNowhere, {100, 48}, g), kHtMenu);
  EXPECT_EQ(SkinHitTest(kHtTop, {100, 1}, g), kHtTop);
  EXPECT_EQ(SkinHitTest(kHtClient, {100, 10}, g), kHtClient);
  // The skin's wider bottom border does not become a place to drag the window by.
  EXPECT_EQ(SkinHitTest(kHtNowhere, {100, 400}, g), kHtNowhere);
  const FormGeometry noMenu{4, 30, 4, 5, 0, 0};
  EXPECT_EQ(SkinHitTest(kHtNowhere, {100, 35}, noMenu), kHtNowhere);
}

TEST(CaptionActions, WhatAReleaseOverAButtonDoes) {
  const Rect r = Rect::FromSize(8, 7, 16, 16);
  const auto N = WindowState::Normal;
  const auto S = ClickTiming::Single;
  auto command = [&](int action, bool enabled = true, WindowState state = WindowState::Normal) {
    return DecideCaptionAction(action, enabled, state, r, S).command;
  };
  using C = CaptionCommand;
  EXPECT_EQ(command(0), C::Close);
  for (const int a : {1, 22}) {
    EXPECT_EQ(command(a), C::Maximize);
    EXPECT_EQ(command(a, true, WindowState::Maximized), C::Restore);
    EXPECT_EQ(command(a, false), C::None);
  }
  for (const int a : {2, 23}) {
    EXPECT_EQ(command(a), C::Minimize);
    EXPECT_EQ(command(a, true, WindowState::Minimized), C::Restore);
    EXPECT_EQ(command(a, false), C::None);
  }
  for (const int a : {3, 11, 12}) {
    EXPECT_EQ(DecideCaptionAction(a, true, N, r, S), (CaptionDecision{C::SystemMenu, {8, 24}, 0}));
    EXPECT_EQ(DecideCaptionAction(a, true, N, r, ClickTiming::WithinDoubleClick).command, C::Close);
  }
  EXPECT_EQ(command(4), C::ContextHelp);
  for (const int a : {7, 60})
    EXPECT_EQ(command(a), C::MdiChildMinimize);
  for (const int a : {8, 61})
    EXPECT_EQ(command(a), C::MdiChildRestore);
  for (const int a : {9, 62})
    EXPECT_EQ(command(a), C::MdiChildClose);
  EXPECT_EQ(DecideCaptionAction(17, true, N, r, S), (CaptionDecision{C::PostAction, {}, 17}));
  EXPECT_EQ(DecideCaptionAction(-1, false, N, r, S), (CaptionDecision{C::PostAction, {}, -1}));
}

TEST(CaptionActions, Hints) {
  for (const int a : {0, 9, 62})
    EXPECT_EQ(CaptionButtonHint(a), "Close") << a;
  for (const int a : {1, 22})
    EXPECT_EQ(CaptionButtonHint(a), "Maximize") << a;
  for (const int a : {2, 7, 23, 60})
    EXPECT_EQ(CaptionButtonHint(a), "Minimize") << a;
  for (const int a : {8, 61})
    EXPECT_EQ(CaptionButtonHint(a), "Restore") << a;
  for (const int a : {3, 4, 11, 12, 13, -1})
    EXPECT_EQ(CaptionButtonHint(a), "") << a;
  EXPECT_EQ(CaptionHintPosition(Rect{500, 105, 521, 126}, {510, 110}), (Point{500, 134}));
}

TEST(CaptionActions, HintShowsAfterRestingAndHidesWhenItsTimeEndsOrThePointerLeaves) {
  CaptionHintTracker hints(1000, 2500);
  const Rect close{500, 105, 521, 126};
  auto tick = [&](int button, int action = 0) {
    return hints.Tick(button, action, close, {510, 110}, kFrameTimerMs);
  };
  EXPECT_EQ(tick(0).action, HintAction::None); // the pointer arrives
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(tick(0).action, HintAction::None) << i;
  const HintStep shown = tick(0); // rested 1000 ms
  EXPECT_EQ(shown.action, HintAction::Show);
  EXPECT_EQ(shown.text, "Close");
  EXPECT_EQ(shown.at, (Point{500, 134}));
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(tick(0).action, HintAction::None) << i;
  EXPECT_EQ(tick(0).action, HintAction::Hide); // shown for 2500 ms
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(tick(0).action, HintAction::None) << i; // once per visit
  EXPECT_EQ(tick(-1).action, HintAction::None);
  // Back on a button, then off it while the hint shows.
  tick(1, 2);
  for (int i = 0; i < 4; ++i)
    tick(1, 2);
  EXPECT_EQ(tick(-1).action, HintAction::Hide);
  // A button whose Action has no hint text never shows one.
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(tick(4, 3).action, HintAction::None) << i;
}

} // namespace
} // namespace tw::test
