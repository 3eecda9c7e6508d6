#pragma once
// Helpers for 8-bit ANSI text (code page 1252 where a code page matters). Case mapping touches
// the ASCII letters only, as the registry, profile files and skin files compare names; other
// bytes of the code page stay as they are.

#include <algorithm>
#include <string>
#include <string_view>

namespace tw {

constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiUpperCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](char c) { return AsciiUpper(c); });
  return out;
}

inline std::string AsciiLowerCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](char c) { return AsciiLower(c); });
  return out;
}

inline bool AsciiEqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiUpper(x) == AsciiUpper(y);
         });
}

// The code page 1252 byte of a Unicode character; "?" for characters it lacks.
char Cp1252FromUnicode(char32_t c);
// The Unicode character of a code page 1252 byte; the five bytes without one keep their own
// code point, as the platform's table maps them.
char16_t Cp1252ToUnicode(unsigned char byte);

} // namespace tw
