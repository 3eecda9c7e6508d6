#include "runtime/ansi_text.h"

namespace tw {
namespace {

// The characters of bytes 0x80 to 0x9F; the five bytes without one keep their own code point.
constexpr char16_t kCp1252High[32] = {
    0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008d, 0x017d, 0x008f, 0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178};

} // namespace

char Cp1252FromUnicode(char32_t c) {
  if (c < 0x80 || (c >= 0xa0 && c <= 0xff))
    return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == c)
      return static_cast<char>(0x80 + i);
  return '?';
}

char16_t Cp1252ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte < 0xa0 ? kCp1252High[byte - 0x80] : char16_t{byte};
}

} // namespace tw
