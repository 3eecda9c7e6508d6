#include "skin/paint/form_style.h"

namespace tw {

BorderStyle DecodeBorderStyle(WindowStyle style, WindowStyle exStyle, std::string_view className) {
  if ((style & kWsCaption) != kWsCaption)
    return BorderStyle::None;
  if ((style & kDsModalFrame) != 0 || (exStyle & kWsExDlgModalFrame) != 0 ||
      className == "#32770" || className == "TMessageForm")
    return BorderStyle::Dialog;
  return (style & kWsThickFrame) != 0 ? BorderStyle::Sizeable : BorderStyle::Single;
}

MdiRole DecodeMdiRole(WindowStyle exStyle, MdiClient client) {
  if ((exStyle & kWsExMdiChild) != 0)
    return MdiRole::Child;
  return client == MdiClient::Present ? MdiRole::Frame : MdiRole::None;
}

BorderIcons DecodeBorderIcons(WindowStyle style, WindowStyle exStyle, SystemMenuHandle menu) {
  BorderIcons icons;
  if ((style & kWsMaximizeBox) != 0)
    icons.Include(BorderIcon::Maximize);
  if ((style & kWsMinimizeBox) != 0)
    icons.Include(BorderIcon::Minimize);
  if ((exStyle & kWsExContextHelp) != 0)
    icons.Include(BorderIcon::Help);
  if ((style & kWsSysMenu) != 0 || menu == SystemMenuHandle::Present)
    icons.Include(BorderIcon::SystemMenu);
  if ((exStyle & kWsExAppWindow) != 0)
    icons.Include(BorderIcon::AppWindow);
  return icons;
}

WindowState StateFromShowCommand(int showCommand) {
  switch (showCommand) {
  case kSwShowMinimized:
  case kSwMinimize:
  case kSwShowMinNoActive:
    return WindowState::Minimized;
  case kSwShowMaximized:
    return WindowState::Maximized;
  default:
    return WindowState::Normal;
  }
}

CaptionStyles StyleRuleFor(WindowState state, MdiRole role) {
  if (state == WindowState::Minimized)
    return CaptionStyles::Restored;
  if (role == MdiRole::Child && state == WindowState::Maximized)
    return CaptionStyles::Restored;
  return CaptionStyles::Removed;
}

WindowStyle ApplyStyleRule(WindowStyle style, BorderIcons icons, CaptionStyles want) {
  style &= ~(kWsSysMenu | kWsMinimizeBox | kWsMaximizeBox);
  if (want == CaptionStyles::Removed)
    return style;
  if (icons.Contains(BorderIcon::SystemMenu))
    style |= kWsSysMenu;
  if (icons.Contains(BorderIcon::Minimize))
    style |= kWsMinimizeBox;
  if (icons.Contains(BorderIcon::Maximize))
    style |= kWsMaximizeBox;
  return style;
}

} // namespace tw
