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

// Appends a JSON string literal of UTF-16 text given by `length` and `at(i)`.
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
void AppendJsonUtf16(std::string& out, std::size_t length, At at) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (std::size_t i = 0; i < length; ++i) {
    char32_t c = at(i);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      if (c == '\n') {
        out += "\\n";
      } else if (c == '\r') {
        out += "\\r";
      } else if (c == '\t') {
        out += "\\t";
      } else {
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 15];
      }
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xc0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3f));
    } else if (c >= 0xd800 && c < 0xe000) {
      const char32_t next = i + 1 < length ? static_cast<char32_t>(at(i + 1)) : 0;
      if (c < 0xdc00 && next >= 0xdc00 && next < 0xe000) {
        c = 0x10000 + ((c - 0xd800) << 10) + (next - 0xdc00);
        ++i;
        out += static_cast<char>(0xf0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
      } else {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
          out += kHex[(c >> shift) & 15];
      }
    } else {
      out += static_cast<char>(0xe0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
      out += static_cast<char>(0x80 | (c & 0x3f));
    }
  }
  out += '"';
}

} // namespace tw
