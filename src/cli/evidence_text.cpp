#include "cli/evidence_text.h"

#include <array>
#include <cstring>

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
  // Each byte's two digits as one 16-bit store: a dump writes millions of them.
  static constexpr auto kPairs = [] {
    std::array<std::array<char, 2>, 256> pairs{};
    constexpr char kHex[] = "0123456789abcdef";
    for (int i = 0; i < 256; ++i)
      pairs[static_cast<size_t>(i)] = {kHex[i >> 4], kHex[i & 15]};
    return pairs;
  }();
  if (bytes.empty())
    return;
  const size_t start = out.size();
  if (separator == '\0') {
    out.resize(start + bytes.size() * 2);
    char* p = out.data() + start;
    for (const uint8_t b : bytes) {
      std::memcpy(p, kPairs[b].data(), 2);
      p += 2;
    }
    return;
  }
  out.resize(start + bytes.size() * 3 - 1);
  char* p = out.data() + start;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0)
      *p++ = separator;
    std::memcpy(p, kPairs[bytes[i]].data(), 2);
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
