#pragma once
// The system's ANSI code page as far as byte scans need it: whether a byte starts a
// double-byte character, so that its second byte is not taken for "\" or ":". Windows:
// IsDBCSLeadByteEx (src/runtime/win32); portable: a single-byte code page.

#include <cstdint>

namespace tw {

class CodePage {
public:
  virtual ~CodePage() = default;
  virtual bool IsLeadByte(uint8_t byte) const = 0;
};

class SingleByteCodePage final : public CodePage {
public:
  bool IsLeadByte(uint8_t) const override { return false; }
};

// Through the installed code page; a single-byte one when none is installed.
bool IsLeadByte(uint8_t byte);

} // namespace tw
