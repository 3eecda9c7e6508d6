#include "runtime/code_page.h"

#include "runtime/ansi_text.h"
#include "runtime/seam.h"

namespace tw {
namespace {

constexpr char16_t kReplacement = 0xfffd;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xc0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xe0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xd800 + (c >> 10));
    out += static_cast<char16_t>(0xdc00 + (c & 0x3ff));
  }
}

const CodePage& Installed() {
  static const Cp1252CodePage fallback;
  if (Seam<CodePage>::Installed())
    return Seam<CodePage>::Get();
  return fallback;
}

} // namespace

std::string Cp1252CodePage::FromUtf16(std::u16string_view text) const {
  std::string out;
  out.reserve(text.size());
  for (const char16_t c : text)
    out += Cp1252FromUnicode(c);
  return out;
}

std::u16string Cp1252CodePage::ToUtf16(std::string_view text) const {
  std::u16string out;
  out.reserve(text.size());
  for (const char c : text)
    out += Cp1252ToUnicode(static_cast<unsigned char>(c));
  return out;
}

std::string Utf8CodePage::FromUtf16(std::u16string_view text) const {
  return Utf16ToUtf8(text);
}

std::u16string Utf8CodePage::ToUtf16(std::string_view text) const {
  return Utf8ToUtf16(text);
}

bool IsLeadByte(uint8_t byte) {
  return Installed().IsLeadByte(byte);
}

std::string AnsiFromUtf16(std::u16string_view text) {
  return Installed().FromUtf16(text);
}

std::u16string AnsiToUtf16(std::string_view text) {
  return Installed().ToUtf16(text);
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (b < 0x80) {
      out += b;
      ++i;
      continue;
    } else if ((b & 0xe0) == 0xc0) {
      extra = 1, c = b & 0x1f, least = 0x80;
    } else if ((b & 0xf0) == 0xe0) {
      extra = 2, c = b & 0x0f, least = 0x800;
    } else if ((b & 0xf8) == 0xf0) {
      extra = 3, c = b & 0x07, least = 0x10000;
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    size_t j = i + 1;
    for (; j < text.size() && j <= i + extra; ++j) {
      const auto t = static_cast<unsigned char>(text[j]);
      if ((t & 0xc0) != 0x80)
        break;
      c = (c << 6) | (t & 0x3f);
    }
    if (j != i + 1 + extra || c < least || c > 0x10ffff || (c >= 0xd800 && c < 0xe000)) {
      out += kReplacement;
      i = j > i + 1 ? j : i + 1;
      continue;
    }
    AppendUtf16(out, c);
    i = j;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xd800 && c < 0xdc00 && i + 1 < text.size() && text[i + 1] >= 0xdc00 &&
        text[i + 1] < 0xe000) {
      c = 0x10000 + ((c - 0xd800) << 10) + (text[i + 1] - 0xdc00);
      ++i;
    } else if (c >= 0xd800 && c < 0xe000) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

} // namespace tw
