#include "skin/paint/paint_text.h"

#include <algorithm>
#include <vector>

#include "skin/model/raster.h"

namespace tw {

namespace {

// The text split into display lines: hard breaks first, then words wrapped at maxWidth.
std::vector<std::string_view> Lines(std::string_view text, int maxWidth, TextWrap wrap) {
  std::vector<std::string_view> hard;
  if (wrap == TextWrap::SingleLine) {
    hard.push_back(text);
  } else {
    std::size_t start = 0;
    for (;;) {
      const std::size_t lf = text.find('\n', start);
      std::string_view line = text.substr(start, lf == std::string_view::npos ? lf : lf - start);
      if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
      hard.push_back(line);
      if (lf == std::string_view::npos)
        break;
      start = lf + 1;
    }
  }
  if (wrap == TextWrap::SingleLine)
    return hard;
  const std::size_t perLine =
      static_cast<std::size_t>(std::max(1, maxWidth / BlockTextPainter::kCellWidth));
  std::vector<std::string_view> lines;
  for (std::string_view line : hard) {
    while (line.size() > perLine) {
      std::size_t cut = line.rfind(' ', perLine);
      const bool atSpace = cut != std::string_view::npos && cut > 0;
      if (!atSpace)
        cut = perLine;
      lines.push_back(line.substr(0, cut));
      line.remove_prefix(atSpace ? cut + 1 : cut);
    }
    lines.push_back(line);
  }
  return lines;
}

} // namespace

TextSize BlockTextPainter::Measure(std::string_view text, int maxWidth, TextWrap wrap) const {
  const auto lines = Lines(text, maxWidth, wrap);
  std::size_t longest = 0;
  for (const auto line : lines)
    longest = std::max(longest, line.size());
  return {static_cast<int>(longest) * kCellWidth, static_cast<int>(lines.size()) * kCellHeight};
}

void BlockTextPainter::Draw(Bitmap32& target, Rect rect, std::string_view text, TColor colour,
                            const TextFormat& format) {
  const Rect clip = IntersectRects(rect, target.Bounds());
  const Pixel ink = ColourToPixel(colour);
  int y = rect.top;
  for (const auto line : Lines(text, rect.Width(), format.wrap)) {
    const int width = static_cast<int>(line.size()) * kCellWidth;
    int x = rect.left;
    if (format.align == TextAlign::Centre)
      x += (rect.Width() - width) / 2;
    else if (format.align == TextAlign::Right)
      x = rect.right - width;
    for (std::size_t i = 0; i < line.size(); ++i) {
      // Right-to-left reading lays the characters out from the right end of the line.
      const std::size_t at = format.order == ReadingOrder::RightToLeft ? line.size() - 1 - i : i;
      if (line[at] != ' ')
        FillRect(target,
                 IntersectRects(Rect::FromSize(x, y, kCellWidth - 1, kCellHeight - 1), clip), ink);
      x += kCellWidth;
    }
    y += kCellHeight;
  }
}

Rect IntersectRects(Rect a, Rect b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

void DrawFocusRect(Bitmap32& target, Rect rect) {
  if (rect.Empty())
    return;
  auto flip = [&](int x, int y) {
    if (target.Contains(x, y) && ((x - rect.left + y - rect.top) % 2) == 0)
      target.Set(x, y, target.At(x, y) ^ 0xFFFFFF);
  };
  for (int x = rect.left; x < rect.right; ++x) {
    flip(x, rect.top);
    if (rect.bottom - 1 > rect.top)
      flip(x, rect.bottom - 1);
  }
  for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
    flip(rect.left, y);
    if (rect.right - 1 > rect.left)
      flip(rect.right - 1, y);
  }
}

std::string WithLineBreaks(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '|' && i + 1 < caption.size() && caption[i + 1] == '|') {
      out += "\r\n";
      ++i;
    } else {
      out += caption[i];
    }
  }
  return out;
}

} // namespace tw
