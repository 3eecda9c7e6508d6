// Find target over arbitrary cell text, in a single-byte code page and in double-byte ones.
// The first input byte picks the code page. Checked: the folder is a prefix of the cell without
// its quotes; it is empty or ends in "\" or ":" that starts a character; nothing after it holds
// a "\" or ":" that starts a character; the shell is asked exactly when the folder is not empty.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "navigate/navigate.h"
#include "runtime/code_page.h"
#include "runtime/seam.h"
#include "runtime/shell.h"

namespace {

// Lead bytes of the double-byte code pages: 932 (Japanese) and 936/949/950 (Chinese, Korean).
class DoubleByteCodePage final : public tw::CodePage {
public:
  explicit DoubleByteCodePage(bool japanese) : japanese_(japanese) {}
  unsigned Number() const override { return japanese_ ? 932 : 936; }
  std::string FromUtf16(std::u16string_view text) const override {
    return tw::Cp1252CodePage().FromUtf16(text);
  }
  std::u16string ToUtf16(std::string_view text) const override {
    return tw::Cp1252CodePage().ToUtf16(text);
  }
  bool IsLeadByte(uint8_t b) const override {
    return japanese_ ? (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc)
                     : b >= 0x81 && b <= 0xfe;
  }

private:
  bool japanese_;
};

// Which bytes of `text` start a character (are not the trail byte of a double-byte one).
std::vector<bool> CharacterStarts(std::string_view text, const tw::CodePage& codePage) {
  std::vector<bool> starts(text.size());
  for (size_t i = 0; i < text.size();) {
    starts[i] = true;
    i += codePage.IsLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  return starts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  static tw::Cp1252CodePage single;
  static DoubleByteCodePage japanese(true), chinese(false);
  const tw::CodePage* pages[] = {&single, &japanese, &chinese};
  const tw::CodePage& codePage = *pages[data[0] % 3];
  tw::ScopedSeam<tw::CodePage> codePageSeam(const_cast<tw::CodePage&>(codePage));
  tw::RecordingShell shell;
  tw::ScopedSeam<tw::Shell> shellSeam(shell);

  const std::string_view cell(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string unquoted;
  for (const char c : cell)
    if (c != '"')
      unquoted += c;
  const std::vector<bool> starts = CharacterStarts(unquoted, codePage);
  const std::string folder = tw::TargetFolder(cell);
  if (!unquoted.starts_with(folder))
    std::abort();
  if (!folder.empty() &&
      ((folder.back() != '\\' && folder.back() != ':') || !starts[folder.size() - 1]))
    std::abort();
  for (size_t i = folder.size(); i < unquoted.size(); ++i)
    if ((unquoted[i] == '\\' || unquoted[i] == ':') && starts[i])
      std::abort();

  tw::FindTarget(7, tw::kSelectValue, "", cell);
  if (shell.launches.size() != (folder.empty() ? 0u : 1u) ||
      (!folder.empty() && shell.launches[0].file != folder))
    std::abort();
  tw::FindTarget(7, 5, cell, cell); // an unknown selector does nothing
  if (shell.launches.size() > 1)
    std::abort();
  return 0;
}
