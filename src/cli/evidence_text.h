#pragma once
// Text of the evidence formats, straight from the hive's UTF-16 without loss: JSON strings
// (a lone surrogate, which UTF-8 cannot hold, kept as its \u escape), lowercase hex, and the
// output buffer the dumps fill.

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "hive/hive.h"

namespace tw {

// Appends a JSON string literal of UTF-16 text given by `length` and `at(i)`; Escaped leaves
// out the quotes.
template <class At>
void AppendJsonEscaped(std::string& out, std::size_t length, At at);
template <class At>
void AppendJsonUtf16(std::string& out, std::size_t length, At at);

inline void AppendJsonName(std::string& out, const hive::NameRef& name) {
  AppendJsonUtf16(out, name.Length(), [&](std::size_t i) { return name.At(i); });
}
inline void AppendJsonText(std::string& out, std::u16string_view text) {
  AppendJsonUtf16(out, text.size(), [&](std::size_t i) { return text[i]; });
}

// Appends the bytes as lowercase hex digits, `separator` between bytes when not NUL.
void AppendHex(std::string& out, std::span<const uint8_t> bytes, char separator = '\0');

// UTF-16 as UTF-8 for messages and CSV; lone surrogates become U+FFFD there.
std::string Utf8Of(std::u16string_view text);

// Compares key names as the registry does: without regard to case.
bool SameKeyName(std::u16string_view a, std::u16string_view b);

// Collects output and hands it to the stream in large pieces.
class OutputBuffer {
public:
  explicit OutputBuffer(std::ostream& out) : out_(out) { text_.reserve(kFlushAt + 65536); }
  ~OutputBuffer() { Flush(); }
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  std::string& Text() { return text_; }
  void MaybeFlush() {
    if (text_.size() >= kFlushAt)
      Flush();
  }
  void Flush() {
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
  }

private:
  static constexpr std::size_t kFlushAt = 1 << 20;
  std::ostream& out_;
  std::string text_;
};

template <class At>
void AppendJsonEscaped(std::string& out, std::size_t length, At at) {
  static constexpr char kHex[] = "0123456789abcdef";
  // Room for the worst case (six bytes a unit), written through a pointer, then cut to size.
  const std::size_t start = out.size();
  out.resize(start + length * 6);
  char* p = out.data() + start;
  for (std::size_t i = 0; i < length; ++i) {
    char32_t c = at(i);
    if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
      *p++ = static_cast<char>(c);
    } else if (c == '"' || c == '\\') {
      *p++ = '\\';
      *p++ = static_cast<char>(c);
    } else if (c < 0x20) {
      *p++ = '\\';
      if (c == '\n') {
        *p++ = 'n';
      } else if (c == '\r') {
        *p++ = 'r';
      } else if (c == '\t') {
        *p++ = 't';
      } else {
        *p++ = 'u';
        *p++ = '0';
        *p++ = '0';
        *p++ = kHex[c >> 4];
        *p++ = kHex[c & 15];
      }
    } else if (c < 0x800) {
      *p++ = static_cast<char>(0xc0 | (c >> 6));
      *p++ = static_cast<char>(0x80 | (c & 0x3f));
    } else if (c >= 0xd800 && c < 0xe000) {
      const char32_t next = i + 1 < length ? static_cast<char32_t>(at(i + 1)) : 0;
      if (c < 0xdc00 && next >= 0xdc00 && next < 0xe000) {
        c = 0x10000 + ((c - 0xd800) << 10) + (next - 0xdc00);
        ++i;
        *p++ = static_cast<char>(0xf0 | (c >> 18));
        *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        *p++ = static_cast<char>(0x80 | (c & 0x3f));
      } else {
        *p++ = '\\';
        *p++ = 'u';
        for (int shift = 12; shift >= 0; shift -= 4)
          *p++ = kHex[(c >> shift) & 15];
      }
    } else {
      *p++ = static_cast<char>(0xe0 | (c >> 12));
      *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3f));
      *p++ = static_cast<char>(0x80 | (c & 0x3f));
    }
  }
  out.resize(static_cast<std::size_t>(p - out.data()));
}

template <class At>
void AppendJsonUtf16(std::string& out, std::size_t length, At at) {
  out += '"';
  AppendJsonEscaped(out, length, at);
  out += '"';
}

} // namespace tw
