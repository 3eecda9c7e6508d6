#pragma once
// Navigation from a preview row: copying a cell to the clipboard, handing a cell or a path made
// of both cells to the shell, and opening the folder of a file a cell names. The cell selector
// is the Tag of the control that asks: 0 the key cell, 1 the value cell, 12 key "\" value,
// 21 value "\" key; any other tag does nothing.

#include <optional>
#include <string>
#include <string_view>

#include "runtime/shell.h"

namespace tw {

enum CellSelector : int {
  kSelectKey = 0,
  kSelectValue = 1,
  kSelectKeyThenValue = 12,
  kSelectValueThenKey = 21,
};

// The first text, a "\" unless the first is empty or ends in one, and the second.
std::string JoinPath(std::string_view first, std::string_view second);

// The text a selector hands to the shell; none for an unknown selector.
std::optional<std::string> SelectedText(int selector, std::string_view key, std::string_view value);

// The folder of the file a cell names: quotes removed, cut after the last "\" or ":" (a trail
// byte of a double-byte character counts as neither). Empty when there is no such character.
std::string TargetFolder(std::string_view cell);

// Replaces the clipboard's text; raises EClipboardException "Cannot open clipboard".
void CopyToClipboard(std::string_view text);

// Hands the selected text to the shell; nothing for an unknown selector or an empty text.
void OpenSelection(WindowHandle parent, int selector, std::string_view key, std::string_view value);

// Opens the folder of the file named by the key (selector 0) or the value (1) cell; nothing
// for other selectors or when the cell names no folder.
void FindTarget(WindowHandle parent, int selector, std::string_view key, std::string_view value);

} // namespace tw
