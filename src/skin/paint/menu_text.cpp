#include "skin/paint/menu_text.h"

namespace tw {

std::u16string StripAccelerator(std::u16string_view caption) {
  std::u16string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size())
      ++i;
    else if (caption[i] == u'&')
      continue;
    out.push_back(caption[i]);
  }
  return out;
}

char16_t FoldAccelerator(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
    return static_cast<char16_t>(c - 0x20);
  return c;
}

char16_t AcceleratorOf(std::u16string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&')
      continue;
    if (caption[i + 1] != u'&')
      return FoldAccelerator(caption[i + 1]);
    ++i; // "&&" is a literal ampersand
  }
  return 0;
}

MenuCaptionParts SplitMenuCaption(std::u16string_view caption) {
  const std::size_t tab = caption.find(u'\t');
  if (tab == std::u16string_view::npos)
    return {std::u16string(caption), {}};
  return {std::u16string(caption.substr(0, tab)), std::u16string(caption.substr(tab + 1))};
}

} // namespace tw
