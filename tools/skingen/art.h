#pragma once
// The Trailwick skin, drawn from code: a light, quiet look with one accent colour, crisp 1-px
// edges and soft vertical gradients. Every function returns one bitmap of the skin.

#include <string>
#include <vector>

#include "paint.h"

namespace tw::skingen {

namespace palette {
inline constexpr Rgb kAccent{30, 108, 196};
inline constexpr Rgb kAccentDeep{22, 86, 160};
inline constexpr Rgb kAccentSoft{226, 237, 251};
inline constexpr Rgb kFace{243, 245, 248};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kLine{190, 198, 208};
inline constexpr Rgb kLineSoft{214, 219, 226};
inline constexpr Rgb kOutline{128, 138, 152};
inline constexpr Rgb kOutlineIdle{170, 177, 188};
inline constexpr Rgb kText{32, 40, 52};
inline constexpr Rgb kTextSoft{92, 102, 116};
inline constexpr Rgb kMuted{176, 183, 193};
inline constexpr Rgb kTrack{238, 241, 245};
inline constexpr Rgb kDanger{208, 52, 52};
inline constexpr Rgb kDangerDeep{170, 36, 36};
} // namespace palette

// Window frame, 2 frames each (active, inactive).
Bitmap32 FrameLeft();
Bitmap32 FrameRight();
Bitmap32 FrameTop();
Bitmap32 FrameBottom();
Bitmap32 TitleBack();
Bitmap32 MenuBar();

enum class CaptionGlyph { Close, Maximize, Restore, Minimize };
Bitmap32 CaptionButton(CaptionGlyph glyph);

Bitmap32 PushButtons();
Bitmap32 CheckBoxes();
Bitmap32 RadioButtons();

Bitmap32 ProgressTrough();
Bitmap32 ProgressChunk();
Bitmap32 Tabs();
Bitmap32 TabPane();
Bitmap32 GroupBoxEdge();
Bitmap32 GroupBox();
Bitmap32 StatusBarEdges();
Bitmap32 ToolBars();
Bitmap32 ComboButton();
Bitmap32 SunkEdge();
Bitmap32 ExtraImages();
Bitmap32 Headerbar();
Bitmap32 MenuItem();
Bitmap32 MenuBackground();
Bitmap32 ScrollbarParts();
Bitmap32 ScrollTrack(bool vertical);
Bitmap32 ScrollThumb(bool vertical);
Bitmap32 TrackbarThumb(bool vertical);
// Up-down controls: the 8-frame buttons and the two arrows centred on them.
Bitmap32 UpDownButtons(bool vertical);
Bitmap32 UpDownGlyphs(bool vertical);

// Program resources that ship beside the skin.
Bitmap32 TrackChannel(bool vertical);
Bitmap32 MenuGlyphStrip();

} // namespace tw::skingen
