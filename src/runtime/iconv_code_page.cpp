// Code pages other than UTF-8 and 1252 on Linux: glibc's iconv tables ("CP<n>"), one character at a time
// so that a character the page lacks becomes "?" and the rest still converts.

#include <iconv.h>

#include <cerrno>
#include <mutex>

#include "runtime/code_page.h"

namespace tw {
namespace {

class IconvCodePage final : public CodePage {
public:
  IconvCodePage(unsigned number, iconv_t toAnsi, iconv_t fromAnsi)
      : number_(number), toAnsi_(toAnsi), fromAnsi_(fromAnsi) {}
  ~IconvCodePage() override {
    iconv_close(toAnsi_);
    iconv_close(fromAnsi_);
  }
  IconvCodePage(const IconvCodePage&) = delete;
  IconvCodePage& operator=(const IconvCodePage&) = delete;

  unsigned Number() const override { return number_; }
  // Lead bytes matter only to the window's scans, which never run on Linux.
  bool IsLeadByte(uint8_t) const override { return false; }

  std::string FromUtf16(std::u16string_view text) const override {
    const std::lock_guard lock(mutex_);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
      size_t units = 1;
      if (text[i] >= 0xd800 && text[i] < 0xdc00 && i + 1 < text.size() && text[i + 1] >= 0xdc00 &&
          text[i + 1] < 0xe000)
        units = 2;
      char in[4];
      for (size_t u = 0; u < units; ++u) {
        in[2 * u] = static_cast<char>(text[i + u] & 0xff);
        in[2 * u + 1] = static_cast<char>(text[i + u] >> 8);
      }
      char buffer[8];
      char* inPtr = in;
      size_t inLeft = units * 2;
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      iconv(toAnsi_, nullptr, nullptr, nullptr, nullptr);
      if (iconv(toAnsi_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
        out += '?';
      else
        out.append(buffer, outPtr);
      i += units - 1;
    }
    return out;
  }

  std::u16string ToUtf16(std::string_view ansi) const override {
    const std::lock_guard lock(mutex_);
    std::u16string out;
    out.reserve(ansi.size());
    size_t i = 0;
    while (i < ansi.size()) {
      // A double-byte page's lead byte takes the next byte with it.
      bool converted = false;
      for (size_t length = 1; length <= 2 && i + length <= ansi.size() && !converted; ++length) {
        char* inPtr = const_cast<char*>(ansi.data() + i);
        size_t inLeft = length;
        char16_t buffer[4];
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof buffer;
        iconv(fromAnsi_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(fromAnsi_, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
            inLeft == 0) {
          out.append(buffer, reinterpret_cast<char16_t*>(outPtr));
          i += length;
          converted = true;
        }
      }
      if (!converted) {
        out += u'\xfffd';
        ++i;
      }
    }
    return out;
  }

private:
  unsigned number_;
  iconv_t toAnsi_;
  iconv_t fromAnsi_;
  mutable std::mutex mutex_;
};

} // namespace

std::unique_ptr<CodePage> MakeCodePage(unsigned number) {
  if (number == kUtf8CodePage)
    return std::make_unique<Utf8CodePage>();
  if (number == 1252)
    return std::make_unique<Cp1252CodePage>();
  const std::string name = "CP" + std::to_string(number);
  const iconv_t toAnsi = iconv_open(name.c_str(), "UTF-16LE");
  if (toAnsi == reinterpret_cast<iconv_t>(-1))
    return nullptr;
  const iconv_t fromAnsi = iconv_open("UTF-16LE", name.c_str());
  if (fromAnsi == reinterpret_cast<iconv_t>(-1)) {
    iconv_close(toAnsi);
    return nullptr;
  }
  return std::make_unique<IconvCodePage>(number, toAnsi, fromAnsi);
}

} // namespace tw
