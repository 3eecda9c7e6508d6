#pragma once
// The skinned non-client frame composed off-screen: side strips, bottom strip, menu bar strip
// and the caption with its text background, text and buttons. The Win32 side blits the pieces
// at their places; text is drawn by a callback so the platform can use the real caption font.

#include <functional>
#include <span>
#include <string>

#include "skin/model/bitmap.h"
#include "skin/model/skin_objects.h"
#include "skin/paint/form_layout.h"

namespace tw {

enum class TextDirection { LeftToRight, RightToLeft };

// Draws one line of caption text into the bitmap inside the rectangle, transparently, in the
// colour; no prefix processing; ends in an ellipsis when it does not fit (right-aligned and in
// right-to-left reading order for right-to-left windows).
using CaptionTextPainter =
    std::function<void(Bitmap32& target, Rect textRect, const std::string& text, TColor colour,
                       TextDirection direction)>;

struct FrameImageInput {
  const SkinModel* skin = nullptr;
  int width = 0;  // window width
  int height = 0; // window height
  FormGeometry geometry;
  FormFacts facts;
  const FrameLayout* layout = nullptr;
  std::span<const TDataSkinSysButton> buttons; // the form's caption buttons
  const Bitmap32* icon = nullptr;              // the window's small icon over magenta
  std::string caption;                         // " " + window text (+ MDI suffix)
};

// One piece and where it goes (window coordinates).
struct FramePiece {
  Bitmap32 image;
  Point at;
};

struct FramePieces {
  FramePiece left;    // 0, 0: left width x window height
  FramePiece right;   // window width - right width, 0
  FramePiece bottom;  // between the side strips at the bottom
  FramePiece menuBar; // ButtonFace strip below the caption; empty without a menu bar
  FramePiece caption; // whole window width x caption height, drawn last over the side strips
};

// The caption strip alone (what a hover repaint needs): the side strips' top rows, the Top
// border between them, TextBack, text and buttons. Minimized windows get a ButtonFace
// background and the Top border over the whole width.
Bitmap32 ComposeCaption(const FrameImageInput& input, const CaptionTextPainter& drawText);

// Every piece of the frame; nothing for a window without caption or a maximized MDI child.
FramePieces ComposeFrame(const FrameImageInput& input, const CaptionTextPainter& drawText);

// Draws one caption button in its frame for the state (or the icon for Actions 3 and 11).
void DrawCaptionButton(Bitmap32& target, const TDataSkinSysButton& button,
                       const CaptionButtonPlacement& placement, Activity activity,
                       const Bitmap32& icon);

// All pieces on one window-sized bitmap whose client area is filled with the colour.
Bitmap32 FlattenFrame(const FramePieces& pieces, int width, int height, Pixel clientFill);

} // namespace tw
