// Code pages on Windows: the system's own tables (WideCharToMultiByte, MultiByteToWideChar).

#include <windows.h>

#include "cli/code_page_text.h"

namespace tw {
namespace {

class Win32CodePageText final : public AnsiCodePage {
public:
  explicit Win32CodePageText(unsigned number) : number_(number) {}
  unsigned Number() const override { return number_; }

  std::string FromUtf16(std::u16string_view text) const override {
    if (text.empty())
      return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(number_, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(number_, 0, wide, length, out.data(), size, nullptr, nullptr);
    return out;
  }

  std::u16string ToUtf16(std::string_view ansi) const override {
    if (ansi.empty())
      return {};
    const int length = static_cast<int>(ansi.size());
    const int size = MultiByteToWideChar(number_, 0, ansi.data(), length, nullptr, 0);
    std::u16string out(static_cast<size_t>(size), u'\0');
    MultiByteToWideChar(number_, 0, ansi.data(), length, reinterpret_cast<wchar_t*>(out.data()),
                        size);
    return out;
  }

private:
  unsigned number_;
};

} // namespace

std::unique_ptr<AnsiCodePage> MakeCodePage(unsigned number) {
  if (number == 0)
    number = GetACP();
  CPINFO info;
  if (!GetCPInfo(number, &info))
    return nullptr;
  return std::make_unique<Win32CodePageText>(number);
}

} // namespace tw
