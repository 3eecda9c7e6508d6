#pragma once
// Window styles as the skinned frame reads them: portable copies of the platform's style bits
// (same values), and the decoding of a window's styles into what the frame needs: its border
// style, MDI role, border icons and window state, and which styles to take away while skinned.

#include <cstdint>
#include <string_view>

#include "skin/model/enum_set.h"

namespace tw {

using WindowStyle = std::uint32_t;

// Window styles.
inline constexpr WindowStyle kWsPopup = 0x80000000;
inline constexpr WindowStyle kWsChild = 0x40000000;
inline constexpr WindowStyle kWsMinimize = 0x20000000;
inline constexpr WindowStyle kWsVisible = 0x10000000;
inline constexpr WindowStyle kWsDisabled = 0x08000000;
inline constexpr WindowStyle kWsMaximize = 0x01000000;
inline constexpr WindowStyle kWsCaption = 0x00C00000; // border and dialog frame together
inline constexpr WindowStyle kWsBorder = 0x00800000;
inline constexpr WindowStyle kWsDlgFrame = 0x00400000;
inline constexpr WindowStyle kWsVScroll = 0x00200000;
inline constexpr WindowStyle kWsHScroll = 0x00100000;
inline constexpr WindowStyle kWsSysMenu = 0x00080000;
inline constexpr WindowStyle kWsThickFrame = 0x00040000;
inline constexpr WindowStyle kWsMinimizeBox = 0x00020000;
inline constexpr WindowStyle kWsMaximizeBox = 0x00010000;
inline constexpr WindowStyle kWsTabStop = 0x00010000; // child windows: same bit as the box

// Dialog styles.
inline constexpr WindowStyle kDsModalFrame = 0x0080;
inline constexpr WindowStyle kDsSetForeground = 0x0200;

// Extended window styles.
inline constexpr WindowStyle kWsExDlgModalFrame = 0x00000001;
inline constexpr WindowStyle kWsExMdiChild = 0x00000040;
inline constexpr WindowStyle kWsExToolWindow = 0x00000080;
inline constexpr WindowStyle kWsExContextHelp = 0x00000400;
inline constexpr WindowStyle kWsExRtlReading = 0x00002000;
inline constexpr WindowStyle kWsExLeftScrollBar = 0x00004000;
inline constexpr WindowStyle kWsExAppWindow = 0x00040000;

// Button styles (the low four bits are the kind).
inline constexpr WindowStyle kBsTypeMask = 0x000F;
inline constexpr WindowStyle kBsPushButton = 0x0000;
inline constexpr WindowStyle kBsDefPushButton = 0x0001;
inline constexpr WindowStyle kBsCheckBox = 0x0002;
inline constexpr WindowStyle kBsAutoCheckBox = 0x0003;
inline constexpr WindowStyle kBsRadioButton = 0x0004;
inline constexpr WindowStyle kBs3State = 0x0005;
inline constexpr WindowStyle kBsAuto3State = 0x0006;
inline constexpr WindowStyle kBsGroupBox = 0x0007;
inline constexpr WindowStyle kBsAutoRadioButton = 0x0009;
inline constexpr WindowStyle kBsOwnerDraw = 0x000B;
inline constexpr WindowStyle kBsIcon = 0x0040;
inline constexpr WindowStyle kBsBitmap = 0x0080;

// Combo box, scroll bar and tab control styles.
inline constexpr WindowStyle kCbsTypeMask = 0x0003;
inline constexpr WindowStyle kCbsSimple = 0x0001;
inline constexpr WindowStyle kSbsSizeGrip = 0x0010;
inline constexpr WindowStyle kTcsOwnerDrawFixed = 0x2000;

// Show commands of a window placement.
inline constexpr int kSwShowMinimized = 2;
inline constexpr int kSwShowMaximized = 3;
inline constexpr int kSwMinimize = 6;
inline constexpr int kSwShowMinNoActive = 7;

// The frame's border style code.
enum class BorderStyle {
  Sizeable = 0, // caption and thick frame
  Single = 1,   // caption, no thick frame
  None = 2,     // no caption: nothing is painted
  Dialog = 3,   // modal frame, dialog-modal extended style, "#32770" or "TMessageForm"
};

enum class MdiRole { None = 0, Frame = 1, Child = 2 };

enum class WindowState { Normal = 0, Maximized = 1, Minimized = 2 };

// Border-icon flags, bit i for member i.
enum class BorderIcon {
  Maximize,   // maximize box
  Minimize,   // minimize box
  Help,       // context-help extended style
  SystemMenu, // system-menu style or a system menu
  AppWindow,  // application-window marker
};
using BorderIcons = EnumSet<BorderIcon>;

// Whether the window has a system menu handle besides its style (the style alone is enough).
enum class SystemMenuHandle { Absent, Present };
// Whether the window holds an MDI client window.
enum class MdiClient { Absent, Present };

BorderStyle DecodeBorderStyle(WindowStyle style, WindowStyle exStyle, std::string_view className);
MdiRole DecodeMdiRole(WindowStyle exStyle, MdiClient client);
BorderIcons DecodeBorderIcons(WindowStyle style, WindowStyle exStyle, SystemMenuHandle menu);
// The state a window placement's show command means.
WindowState StateFromShowCommand(int showCommand);

// What the style rule wants for the caption-button styles right now.
enum class CaptionStyles {
  Removed,  // skinned: no system menu, minimize or maximize box of the platform's own
  Restored, // put back from the border icons
};
// Skinned windows lose their caption-button styles, except while minimized and while an MDI
// child is maximized; Restore always puts them back.
CaptionStyles StyleRuleFor(WindowState state, MdiRole role);
// The style with the caption-button styles removed, or put back from the border icons.
WindowStyle ApplyStyleRule(WindowStyle style, BorderIcons icons, CaptionStyles want);

// Right-to-left caption layout (the left-scroll-bar extended style).
inline bool RightToLeftCaption(WindowStyle exStyle) {
  return (exStyle & kWsExLeftScrollBar) != 0;
}

} // namespace tw
