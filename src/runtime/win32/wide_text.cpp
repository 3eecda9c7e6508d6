#include "runtime/win32/wide_text.h"

#include <algorithm>

namespace tw {

std::wstring WideFromAnsi(std::string_view text, UINT codePage) {
  if (text.empty())
    return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(size, 0)), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), size);
  return wide;
}

std::string AnsiFromWide(std::wstring_view text, UINT codePage) {
  if (text.empty())
    return {};
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

void WideFromAnsi(std::string_view text, wchar_t* buffer, int size, UINT codePage) {
  if (buffer == nullptr || size <= 0)
    return;
  const int n = text.empty() ? 0
                             : MultiByteToWideChar(codePage, 0, text.data(),
                                                   static_cast<int>(text.size()), buffer, size - 1);
  buffer[std::max(0, n)] = 0;
}

} // namespace tw
