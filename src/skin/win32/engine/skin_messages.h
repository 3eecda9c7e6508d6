#pragma once
// The skin engine's private window messages. Skinned windows, their controls and the manager
// exchange them across module boundaries, so the numbers are fixed.

namespace tw {

// To a skinned window: repaint the non-client area.
inline constexpr unsigned kMsgRepaintFrame = 13570;
// Manager to window: start skinning; posted once after creation with lParam kStartSkinningParam.
inline constexpr unsigned kMsgStartSkinning = 13571;
inline constexpr long kStartSkinningParam = 1000;
// To a skinned control: wParam above 0 switches its skinning on (and repaints), 0 off.
inline constexpr unsigned kMsgControlSkinning = 13574;
// Form to window: a caption button with an Action outside the built-in list was clicked;
// wParam is the Action.
inline constexpr unsigned kMsgCaptionAction = 13588;
// Form to window: may a caption button with a Visibility code from 1000 to 2000 show?
// wParam is the code, lParam the Action; a reply above 0 shows it.
inline constexpr unsigned kMsgCaptionVisibility = 13589;
// Form to manager window: deferred maximize handling of an MDI child.
inline constexpr unsigned kMsgMdiMaximize = 13590;
// Anyone to window: is it skinned already? A skinned window answers kSkinnedAnswer.
inline constexpr unsigned kMsgIsSkinned = 13603;
inline constexpr long kSkinnedAnswer = 1;

} // namespace tw
