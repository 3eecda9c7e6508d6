#include "navigate/navigate.h"

#include "runtime/clipboard.h"
#include "runtime/code_page.h"
#include "runtime/seam.h"

namespace tw {

std::string JoinPath(std::string_view first, std::string_view second) {
  std::string text(first);
  if (!text.empty() && text.back() != '\\')
    text += '\\';
  text += second;
  return text;
}

std::optional<std::string> SelectedText(int selector, std::string_view key,
                                        std::string_view value) {
  switch (selector) {
  case kSelectKey:
    return std::string(key);
  case kSelectValue:
    return std::string(value);
  case kSelectKeyThenValue:
    return JoinPath(key, value);
  case kSelectValueThenKey:
    return JoinPath(value, key);
  default:
    return std::nullopt;
  }
}

std::string TargetFolder(std::string_view cell) {
  std::string text;
  text.reserve(cell.size());
  for (const char c : cell)
    if (c != '"')
      text += c;
  size_t end = 0; // length of the folder: up to and including the last delimiter
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t byte = static_cast<uint8_t>(text[i]);
    if (IsLeadByte(byte) && i + 1 < text.size()) {
      ++i; // the trail byte belongs to the character
      continue;
    }
    if (byte == '\\' || byte == ':')
      end = i + 1;
  }
  text.resize(end);
  return text;
}

void CopyToClipboard(std::string_view text) {
  Seam<Clipboard>::Get().SetText(text);
}

void OpenSelection(WindowHandle parent, int selector, std::string_view key,
                   std::string_view value) {
  const std::optional<std::string> text = SelectedText(selector, key, value);
  if (text && !text->empty())
    Seam<Shell>::Get().Open(parent, *text);
}

void FindTarget(WindowHandle parent, int selector, std::string_view key, std::string_view value) {
  if (selector != kSelectKey && selector != kSelectValue)
    return;
  const std::string folder = TargetFolder(selector == kSelectKey ? key : value);
  if (!folder.empty())
    Seam<Shell>::Get().Open(parent, folder);
}

} // namespace tw
