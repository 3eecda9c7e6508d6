#pragma once
// 8-bit text in a code page as the platform's UTF-16 and back, in one place for the Win32 edge
// (window texts, painted captions and menus, list-view cells, the code-page seam); the
// system's ANSI code page unless another is named.

#include <windows.h>

#include <string>
#include <string_view>

namespace tw {

std::wstring WideFromAnsi(std::string_view text, UINT codePage = CP_ACP);
std::string AnsiFromWide(std::wstring_view text, UINT codePage = CP_ACP);
// Into a caller's buffer of `size` characters: at most size - 1 of them, then a NUL.
void WideFromAnsi(std::string_view text, wchar_t* buffer, int size, UINT codePage = CP_ACP);

} // namespace tw
