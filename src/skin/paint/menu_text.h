#pragma once
// Menu captions: the accelerator marked by "&", and the text drawing the menu painters hand to
// the platform (the menu font lives there).

#include <string>
#include <string_view>

#include "skin/model/bitmap.h"
#include "skin/model/colour.h"

namespace tw {

enum class MenuTextAlign { Left, Centre, Right };

// Measures and draws menu text in the menu font. "&" marks the accelerator (underlined, not
// counted); "&&" is one literal "&". Drawing is single line, vertically centred, transparent.
class MenuTextRenderer {
public:
  virtual ~MenuTextRenderer() = default;
  virtual int Width(std::u16string_view text) const = 0;
  virtual void Draw(Bitmap32& target, Rect rect, std::u16string_view text, TColor colour,
                    MenuTextAlign align) const = 0;
};

// The caption without its accelerator marks ("&&" becomes "&").
std::u16string StripAccelerator(std::u16string_view caption);
// The character after the first single "&", upper-cased; 0 when there is none.
char16_t AcceleratorOf(std::u16string_view caption);
struct MenuCaptionParts {
  std::u16string text;     // before the first tab
  std::u16string shortcut; // after it
};
// A popup item's caption: the shortcut follows a tab.
MenuCaptionParts SplitMenuCaption(std::u16string_view caption);

// Upper case for the letters the accelerator comparison folds (ASCII and Latin-1).
char16_t FoldAccelerator(char16_t c);

} // namespace tw
