#include "skin/model/colour.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace tw {

TColor ColourFromText(std::string_view text) {
  std::array<std::uint32_t, 3> channel{};
  std::size_t found = 0;
  bool inDigits = false;
  for (const char ch : text) {
    if (ch >= '0' && ch <= '9') {
      if (!inDigits) {
        inDigits = true;
        ++found;
      }
      if (found <= channel.size()) {
        // Absurdly long numbers saturate instead of overflowing.
        std::uint32_t& v = channel[found - 1];
        v = std::min<std::uint32_t>(v * 10 + static_cast<std::uint32_t>(ch - '0'), 0x00FFFFFF);
      }
    } else {
      inDigits = false;
    }
  }
  const std::uint32_t value = channel[0] + channel[1] * 256u + channel[2] * 65536u;
  return static_cast<TColor>(value);
}

namespace {

struct NamedColour {
  std::string_view name;
  std::uint32_t value;
};

constexpr std::uint32_t kSystem = 0x80000000u;

// The identifiers of the form data, compared without regard to case.
constexpr NamedColour kNamedColours[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", kSystem | 0},
    {"clBackground", kSystem | 1},
    {"clActiveCaption", kSystem | 2},
    {"clInactiveCaption", kSystem | 3},
    {"clMenu", kSystem | 4},
    {"clWindow", kSystem | 5},
    {"clWindowFrame", kSystem | 6},
    {"clMenuText", kSystem | 7},
    {"clWindowText", kSystem | 8},
    {"clCaptionText", kSystem | 9},
    {"clActiveBorder", kSystem | 10},
    {"clInactiveBorder", kSystem | 11},
    {"clAppWorkSpace", kSystem | 12},
    {"clHighlight", kSystem | 13},
    {"clHighlightText", kSystem | 14},
    {"clBtnFace", kSystem | 15},
    {"clBtnShadow", kSystem | 16},
    {"clGrayText", kSystem | 17},
    {"clBtnText", kSystem | 18},
    {"clInactiveCaptionText", kSystem | 19},
    {"clBtnHighlight", kSystem | 20},
    {"cl3DDkShadow", kSystem | 21},
    {"cl3DLight", kSystem | 22},
    {"clInfoText", kSystem | 23},
    {"clInfoBk", kSystem | 24},
};

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

} // namespace

std::optional<TColor> ColourFromProperty(std::string_view text) {
  for (const NamedColour& colour : kNamedColours)
    if (SameText(text, colour.name))
      return static_cast<TColor>(colour.value);
  const bool negative = !text.empty() && text.front() == '-';
  if (negative)
    text.remove_prefix(1);
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return static_cast<TColor>(negative ? 0u - value : value);
}

} // namespace tw
