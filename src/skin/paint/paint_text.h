#pragma once
// Text and focus marks for the control painters. The painters compose a control into a Bitmap32
// and hand every piece of text to a TextPainter: the Win32 side measures and draws with the
// control's real font, tests and previews use BlockTextPainter, whose glyphs are solid blocks
// of a fixed size so that a layout can be checked pixel by pixel.

#include <string>
#include <string_view>

#include "skin/model/bitmap.h"
#include "skin/model/colour.h"

namespace tw {

enum class TextWrap { SingleLine, WordWrap };
enum class TextAlign { Left, Centre, Right };
enum class ReadingOrder { LeftToRight, RightToLeft };

struct TextFormat {
  TextWrap wrap = TextWrap::SingleLine;
  TextAlign align = TextAlign::Left;
  ReadingOrder order = ReadingOrder::LeftToRight;
};

struct TextSize {
  int width = 0;
  int height = 0;
};

class TextPainter {
public:
  virtual ~TextPainter() = default;
  // The size the text takes; with word wrapping, lines break to fit maxWidth.
  virtual TextSize Measure(std::string_view text, int maxWidth, TextWrap wrap) const = 0;
  // Draws the text transparently into the rectangle (top-aligned, clipped to it).
  virtual void Draw(Bitmap32& target, Rect rect, std::string_view text, TColor colour,
                    const TextFormat& format) = 0;
};

// Each character a cell of kCellWidth x kCellHeight; a visible character paints the cell's
// top-left (kCellWidth - 1) x (kCellHeight - 1) block. Lines break at "\r\n" or "\n", and with
// word wrapping also between words.
class BlockTextPainter : public TextPainter {
public:
  static constexpr int kCellWidth = 6;
  static constexpr int kCellHeight = 10;

  TextSize Measure(std::string_view text, int maxWidth, TextWrap wrap) const override;
  void Draw(Bitmap32& target, Rect rect, std::string_view text, TColor colour,
            const TextFormat& format) override;
};

constexpr Rect Inflate(Rect r, int dx, int dy) {
  return {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}
constexpr Rect Offset(Rect r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
constexpr bool Contains(Rect r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
Rect IntersectRects(Rect a, Rect b);

// A block of the given size centred in the rectangle (offsets rounded towards zero).
constexpr Rect CentreIn(Rect area, int width, int height) {
  const int x = area.left + (area.Width() - width) / 2;
  const int y = area.top + (area.Height() - height) / 2;
  return {x, y, x + width, y + height};
}

// The platform's focus rectangle: every other pixel of the outline inverted, starting at the
// top-left corner.
void DrawFocusRect(Bitmap32& target, Rect rect);

// Caption text of buttons: every "||" becomes a line break.
std::string WithLineBreaks(std::string_view caption);

} // namespace tw
