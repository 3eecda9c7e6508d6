#include "skin/paint/form_layout.h"

#include <algorithm>

namespace tw {

namespace {

int FrameWidthOf(const TDataSkinObject& e) {
  return e.Bitmap.Width() / std::max(e.FrameCount, 1);
}
int FrameHeightOf(const TDataSkinObject& e) {
  return e.Bitmap.Height() / std::max(e.FrameCount, 1);
}

bool IsIconAction(int action) {
  return action == 3 || action == 11;
}

} // namespace

// ---- Geometry

FormGeometry ComputeGeometry(const SkinModel& skin, BorderStyle border, WindowMenu menu,
                             MdiRole role, const FrameMetrics& metrics) {
  FormGeometry g;
  if (border == BorderStyle::None)
    return g;
  g.left = FrameWidthOf(skin.Border(BorderSide::Left));
  g.right = FrameWidthOf(skin.Border(BorderSide::Right));
  g.caption = FrameHeightOf(skin.Border(BorderSide::Top));
  g.bottom = FrameHeightOf(skin.Border(BorderSide::Bottom));
  g.menuBar = menu == WindowMenu::Present ? metrics.menuBarHeight : 0;
  const int standardTop = metrics.captionHeight + metrics.frameWidth;
  if (role == MdiRole::Child && g.caption < standardTop)
    g.mdiExtraTop = standardTop - g.caption;
  return g;
}

ClientCalculation ClientCalculationFor(BorderStyle border, MdiRole role, WindowState state) {
  if (border == BorderStyle::None)
    return ClientCalculation::Standard;
  if (role == MdiRole::Child && state == WindowState::Maximized)
    return ClientCalculation::Standard;
  return ClientCalculation::Skin;
}

Rect SkinClientRect(Rect window, const FormGeometry& g) {
  Rect client{window.left + g.left, window.top + g.Top(), window.right - g.right,
              window.bottom - g.bottom};
  client.right = std::max(client.right, client.left);
  client.bottom = std::max(client.bottom, client.top);
  return client;
}

Rect WindowRectForClient(Rect client, const FormGeometry& g) {
  return {client.left - g.left, client.top - g.Top(), client.right + g.right,
          client.bottom + g.bottom};
}

// ---- Visibility

bool VisibilityAllows(int code, VisibilitySlot slot, int action, const FormFacts& facts,
                      const VisibilityQuery& query) {
  const bool first = slot == VisibilitySlot::Visibility;
  const bool maxBox = facts.icons.Contains(BorderIcon::Maximize);
  const bool minBox = facts.icons.Contains(BorderIcon::Minimize);
  const bool sysMenu = facts.icons.Contains(BorderIcon::SystemMenu);
  const bool help = facts.icons.Contains(BorderIcon::Help);
  switch (code) {
  case 0:
    return true;
  case 1:
    return facts.state == WindowState::Maximized;
  case 2:
    return facts.state != WindowState::Maximized;
  case 3:
    return facts.activity == Activity::Active;
  case 4:
    return facts.activity == Activity::Inactive;
  case 6:
  case 8:
    return first ? (maxBox || minBox) && sysMenu : (maxBox || minBox);
  case 7:
    return !maxBox;
  case 9:
    return !minBox;
  case 10:
    return first ? help && !maxBox && !minBox : help;
  case 100:
    return facts.mdiChildMaximized && facts.skinnedMenuBar;
  case 200:
    // The second code has no meaning of its own here and does not restrict.
    return first ? facts.border == BorderStyle::Dialog && !facts.standardMessageDialog : true;
  default:
    break;
  }
  if (code >= 201 && code <= 999)
    return true;
  if (code >= 1000 && code <= 2000)
    return first ? (query && query(code, action) > 0) : true;
  return false;
}

ButtonAvailability CaptionButtonAvailability(const TDataSkinSysButton& button,
                                             const FormFacts& facts, const VisibilityQuery& query) {
  ButtonAvailability a;
  a.visible = VisibilityAllows(button.Visibility, VisibilitySlot::Visibility, button.Action, facts,
                               query) &&
              VisibilityAllows(button.Visibility1, VisibilitySlot::Visibility1, button.Action,
                               facts, query);
  const bool sysMenu = facts.icons.Contains(BorderIcon::SystemMenu);
  switch (button.Action) {
  case 0:
    if (!sysMenu)
      a.visible = false;
    break;
  case 1:
    a.enabled = facts.icons.Contains(BorderIcon::Maximize) && sysMenu;
    break;
  case 2:
    a.enabled = facts.icons.Contains(BorderIcon::Minimize) && sysMenu;
    break;
  case 3:
  case 11:
  case 12:
    if (facts.border == BorderStyle::Dialog)
      a.visible = false;
    break;
  default:
    break;
  }
  return a;
}

std::vector<TDataSkinSysButton> FormCaptionButtons(const SkinModel& skin, const Bitmap32& icon) {
  std::vector<TDataSkinSysButton> buttons = skin.SysButtons;
  for (TDataSkinSysButton& b : buttons)
    if (IsIconAction(b.Action) && b.Bitmap.Empty() && !icon.Empty()) {
      b.Bitmap = icon;
      b.FrameCount = 1;
    }
  return buttons;
}

// ---- Placement

ButtonSize CaptionButtonSize(const TDataSkinSysButton& button) {
  return {FrameWidthOf(button), button.Bitmap.Height()};
}

CaptionTextPlacement PlaceCaptionText(const TDataSkinTitle& title, const LayoutInput& input,
                                      int rightButtonsLeft) {
  const int width = input.textWidth + title.TXTBackleft + title.TXTBackRight;
  const int windowWidth = input.windowWidth;
  const int shift = title.LeftWidth;
  const int rightClip = title.RightWidth;
  int x = 0;
  if (!input.facts.rightToLeft) {
    switch (title.TextAlignment) {
    case 1:
      x = (windowWidth - width) / 2;
      break;
    case 2:
      x = windowWidth - rightClip - width;
      break;
    default:
      x = shift;
      break;
    }
  } else {
    switch (title.TextAlignment) {
    case 1:
      x = (rightButtonsLeft - width) / 2;
      break;
    case 2:
      x = shift;
      break;
    default:
      x = rightButtonsLeft - width;
      break;
    }
    x += 10;
  }
  if (input.facts.border == BorderStyle::Dialog && title.TextAlignment == 0)
    x -= 16;

  const int caption = input.geometry.caption;
  const int shiftVert = title.TopHeight / 2;
  const int textTop = (caption - input.textHeight) / 2 + shiftVert;
  // A TextBack keeps its own height, centred like the text.
  const int backHeight = title.Bitmap.Empty() ? input.textHeight : title.Bitmap.Height() / 2;
  const int backTop = (caption - backHeight) / 2 + shiftVert;

  CaptionTextPlacement p;
  p.clipRight = windowWidth - rightClip;
  if (input.facts.popup && rightButtonsLeft > 5)
    p.clipRight = rightButtonsLeft - 5;
  // Right to left, the 10-pixel move would push a title that fits under the clip and cut it;
  // such a title ends at the clip instead (a title too long for the caption keeps TextShift).
  if (input.facts.rightToLeft && x + width > p.clipRight)
    x = std::max(p.clipRight - width, shift);
  const int backRight = std::min(x + width, p.clipRight);
  p.back = {x, backTop, std::max(backRight, x), backTop + backHeight};
  const int textLeft = x + title.TXTBackleft;
  p.text = {textLeft, textTop, std::max(backRight - title.TXTBackRight, textLeft),
            textTop + input.textHeight};
  return p;
}

Rect PlaceCaptionButton(const TDataSkinSysButton& button, const LayoutInput& input,
                        const CaptionTextPlacement& text) {
  const ButtonSize size = CaptionButtonSize(button);
  int x = button.XCoord;
  int y = button.YCoord;
  switch (button.Align) {
  case 1:
    x = input.windowWidth - button.XCoord;
    break;
  case 2:
  case 8:
    x = text.back.left - size.width - button.XCoord;
    break;
  case 3:
  case 9:
    x = text.back.right + button.XCoord;
    break;
  case 100:
    x = input.windowWidth - button.XCoord - input.geometry.right - input.mdiControlAreaWidth;
    y = input.geometry.caption + (input.geometry.menuBar - size.height) / 2;
    break;
  default:
    break;
  }
  return Rect::FromSize(x, y, size.width, size.height);
}

namespace {

bool BesideText(int align) {
  return align == 2 || align == 3 || align == 8 || align == 9;
}

} // namespace

FrameLayout LayoutFrame(const SkinModel& skin, std::span<const TDataSkinSysButton> buttons,
                        const LayoutInput& input, const VisibilityQuery& query) {
  FrameLayout layout;
  layout.buttons.resize(buttons.size());
  const CaptionTextPlacement none;
  layout.rightButtonsLeft = input.windowWidth - input.geometry.right;
  bool anyRight = false;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const TDataSkinSysButton& b = buttons[i];
    CaptionButtonPlacement& p = layout.buttons[i];
    p.index = static_cast<int>(i);
    const ButtonAvailability a = CaptionButtonAvailability(b, input.facts, query);
    p.visible = a.visible && !b.Bitmap.Empty();
    p.enabled = a.enabled;
    if (BesideText(b.Align))
      continue;
    p.rect = PlaceCaptionButton(b, input, none);
    if (p.visible && b.Align == 1) {
      layout.rightButtonsLeft =
          anyRight ? std::min(layout.rightButtonsLeft, p.rect.left) : p.rect.left;
      anyRight = true;
    }
  }
  layout.text = PlaceCaptionText(skin.Title, input, layout.rightButtonsLeft);
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (BesideText(buttons[i].Align))
      layout.buttons[i].rect = PlaceCaptionButton(buttons[i], input, layout.text);
  return layout;
}

// ---- Frames

int CaptionButtonFrame(const TDataSkinSysButton& button, NcState state, bool enabled,
                       Activity activity) {
  const int frames = button.FrameCount;
  if (button.Visibility == 100 && state == NcState::Pressed)
    return 4;
  if (!enabled)
    return frames <= 3 ? 1 : 4;
  if (frames >= 4 && activity == Activity::Inactive)
    return 4;
  return static_cast<int>(state);
}

int BorderFrame(Activity activity, int frameCount) {
  return activity == Activity::Active || frameCount <= 1 ? 1 : 2;
}

// ---- Hit testing

int SkinHitTest(int standardAnswer, Point inWindow, const FormGeometry& g) {
  if (standardAnswer != kHtNowhere && standardAnswer != kHtCaption)
    return standardAnswer;
  // Points below the caption and menu bar (the skin's wider borders) keep the standard answer,
  // so the bottom border does not drag the window.
  if (g.menuBar > 0 && inWindow.y >= g.caption && inWindow.y < g.caption + g.menuBar)
    return kHtMenu;
  if (inWindow.y > 3 && inWindow.y < g.caption)
    return kHtCaption;
  return standardAnswer;
}

int CaptionButtonAt(const FrameLayout& layout, Point inWindow) {
  for (const CaptionButtonPlacement& p : layout.buttons)
    if (p.visible && p.rect.Contains(inWindow))
      return p.index;
  return -1;
}

// ---- Actions and hints

CaptionDecision DecideCaptionAction(int action, bool enabled, WindowState state, Rect buttonRect,
                                    ClickTiming timing) {
  CaptionDecision d;
  switch (action) {
  case 0:
    d.command = CaptionCommand::Close;
    break;
  case 1:
  case 22:
    if (enabled)
      d.command =
          state == WindowState::Maximized ? CaptionCommand::Restore : CaptionCommand::Maximize;
    break;
  case 2:
  case 23:
    if (enabled)
      d.command =
          state == WindowState::Minimized ? CaptionCommand::Restore : CaptionCommand::Minimize;
    break;
  case 3:
  case 11:
  case 12:
    if (timing == ClickTiming::WithinDoubleClick) {
      d.command = CaptionCommand::Close;
    } else {
      d.command = CaptionCommand::SystemMenu;
      d.menuAt = {buttonRect.left, buttonRect.bottom + 1};
    }
    break;
  case 4:
    d.command = CaptionCommand::ContextHelp;
    break;
  case 7:
  case 60:
    d.command = CaptionCommand::MdiChildMinimize;
    break;
  case 8:
  case 61:
    d.command = CaptionCommand::MdiChildRestore;
    break;
  case 9:
  case 62:
    d.command = CaptionCommand::MdiChildClose;
    break;
  default:
    d.command = CaptionCommand::PostAction;
    d.action = action;
    break;
  }
  return d;
}

std::string CaptionButtonHint(int action) {
  switch (action) {
  case 0:
  case 9:
  case 62:
    return "Close";
  case 1:
  case 22:
    return "Maximize";
  case 2:
  case 7:
  case 23:
  case 60:
    return "Minimize";
  case 8:
  case 61:
    return "Restore";
  default:
    return {};
  }
}

Point CaptionHintPosition(Rect buttonOnScreen, Point pointerOnScreen) {
  return {buttonOnScreen.left, pointerOnScreen.y + 24};
}

} // namespace tw
