#pragma once
// Text between UTF-16 (hive files), the 8-bit ANSI code page the readers work in, and UTF-8
// (what the command line prints and the CSV and JSON reports hold). Characters a code page lacks
// become "?", as the platform's ANSI interface delivers them without a best-fit entry.

#include <memory>
#include <string>
#include <string_view>

namespace tw {

class AnsiCodePage {
public:
  virtual ~AnsiCodePage() = default;
  virtual unsigned Number() const = 0;
  virtual std::string FromUtf16(std::u16string_view text) const = 0;
  virtual std::u16string ToUtf16(std::string_view ansi) const = 0;
};

// Code page 1252, by table: the same on every platform.
class Cp1252CodePage final : public AnsiCodePage {
public:
  unsigned Number() const override { return 1252; }
  std::string FromUtf16(std::u16string_view text) const override;
  std::u16string ToUtf16(std::string_view ansi) const override;
};

// The code page of that number (iconv on Linux, the system's tables on Windows); nullptr
// when the platform does not know it.
std::unique_ptr<AnsiCodePage> MakeCodePage(unsigned number);

// UTF-8 and UTF-16; malformed UTF-8 sequences become U+FFFD, lone surrogates likewise.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

inline std::string AnsiToUtf8(const AnsiCodePage& page, std::string_view ansi) {
  return Utf16ToUtf8(page.ToUtf16(ansi));
}

} // namespace tw
