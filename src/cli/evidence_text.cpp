#include "cli/evidence_text.h"

#include <array>

#include "runtime/code_page.h"

namespace tw {
namespace {

// The upper-case letter of the scripts key names use beyond ASCII: Latin-1, Greek, Cyrillic.
char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z')
    return static_cast<char16_t>(c - 0x20);
  if (c < 0xe0)
    return c;
  if ((c >= 0xe0 && c <= 0xfe && c != 0xf7) || (c >= 0x3b1 && c <= 0x3c9 && c != 0x3c2) ||
      (c >= 0x430 && c <= 0x44f))
    return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45f)
    return static_cast<char16_t>(c - 0x50);
  return c;
}

} // namespace

void AppendHex(std::string& out, std::span<const uint8_t> bytes, char separator) {
  static constexpr auto kPairs = [] {
    std::array<char, 512> pairs{};
    constexpr char kHex[] = "0123456789abcdef";
    for (int i = 0; i < 256; ++i) {
      pairs[static_cast<size_t>(2 * i)] = kHex[i >> 4];
      pairs[static_cast<size_t>(2 * i + 1)] = kHex[i & 15];
    }
    return pairs;
  }();
  const size_t start = out.size();
  const size_t step = separator != '\0' ? 3 : 2;
  out.resize(start + bytes.size() * step - (separator != '\0' && !bytes.empty() ? 1 : 0));
  char* p = out.data() + start;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0 && separator != '\0')
      *p++ = separator;
    p[0] = kPairs[2u * bytes[i]];
    p[1] = kPairs[2u * bytes[i] + 1];
    p += 2;
  }
}

std::string Utf8Of(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

bool SameKeyName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i]))
      return false;
  return true;
}

} // namespace tw
