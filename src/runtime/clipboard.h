#pragma once
// The clipboard, for plain 8-bit text. Windows: CF_TEXT through OpenClipboard, EmptyClipboard
// and SetClipboardData (src/runtime/win32).

#include <string>
#include <string_view>

namespace tw {

class Clipboard {
public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's content by the text. Raises EClipboardException "Cannot open
  // clipboard" when another program holds it; the old content stays then.
  virtual void SetText(std::string_view text) = 0;
  // The text on the clipboard; empty when it holds none.
  virtual std::string Text() = 0;
};

// A clipboard of this process only. SetHeld(true) stands for another program that keeps the
// clipboard open.
class MemoryClipboard final : public Clipboard {
public:
  void SetText(std::string_view text) override;
  std::string Text() override { return text_; }
  void SetHeld(bool held) { held_ = held; }

private:
  std::string text_;
  bool held_ = false;
};

} // namespace tw
