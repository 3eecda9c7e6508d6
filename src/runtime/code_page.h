#pragma once
// The code page of the program's 8-bit text, in one place: the readers, the registry stores
// and the reports work in it; text stored as UTF-16 (hive files, binary traces, regedit 5
// exports) is converted through it. Windows: the system's ANSI code page (src/runtime/win32);
// portable: code page 1252 by table, or UTF-8, which loses nothing (the command line's
// default). Characters a code page lacks become "?".

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tw {

class CodePage {
public:
  virtual ~CodePage() = default;
  virtual unsigned Number() const = 0;
  // Whether a byte starts a double-byte character, so that its second byte is not taken for
  // "\" or ":".
  virtual bool IsLeadByte(uint8_t byte) const = 0;
  virtual std::string FromUtf16(std::u16string_view text) const = 0;
  virtual std::u16string ToUtf16(std::string_view text) const = 0;
};

inline constexpr unsigned kUtf8CodePage = 65001;

// Code page 1252 by table: the same on every platform.
class Cp1252CodePage final : public CodePage {
public:
  unsigned Number() const override { return 1252; }
  bool IsLeadByte(uint8_t) const override { return false; }
  std::string FromUtf16(std::u16string_view text) const override;
  std::u16string ToUtf16(std::string_view text) const override;
};

// UTF-8 as the 8-bit text: no byte of a sequence is ever "\" or ":", so none leads.
class Utf8CodePage final : public CodePage {
public:
  unsigned Number() const override { return kUtf8CodePage; }
  bool IsLeadByte(uint8_t) const override { return false; }
  std::string FromUtf16(std::u16string_view text) const override;
  std::u16string ToUtf16(std::string_view text) const override;
};

// The code page of that number (UTF-8 and 1252 everywhere; others through the platform's
// tables: iconv on Linux, the system's on Windows); nullptr when the platform does not know it.
std::unique_ptr<CodePage> MakeCodePage(unsigned number);

// Through the installed code page; code page 1252 when none is installed.
bool IsLeadByte(uint8_t byte);
std::string AnsiFromUtf16(std::u16string_view text);
std::u16string AnsiToUtf16(std::string_view text);

// UTF-8 and UTF-16; malformed UTF-8 sequences become U+FFFD, lone surrogates likewise.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace tw
