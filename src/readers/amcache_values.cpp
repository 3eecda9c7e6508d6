#include "readers/amcache_values.h"

namespace tw {
namespace {

constexpr std::size_t kSha1Digits = 40;

bool IsHexDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// The decimal number of `count` digits at `at`; none when any is not a digit.
std::optional<int> Number(std::u16string_view text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < u'0' || text[i] > u'9')
      return std::nullopt;
    value = value * 10 + (text[i] - u'0');
  }
  return value;
}

} // namespace

std::optional<std::string> Sha1FromFileId(std::u16string_view fileId) {
  if (fileId.size() != 4 + kSha1Digits || fileId.substr(0, 4) != u"0000")
    return std::nullopt;
  std::string sha1;
  for (const char16_t c : fileId.substr(4)) {
    if (!IsHexDigit(c))
      return std::nullopt;
    sha1 += static_cast<char>(c >= u'A' && c <= u'F' ? c - u'A' + u'a' : c);
  }
  return sha1;
}

std::optional<std::uint64_t> FileTimeFromLinkDate(std::u16string_view text) {
  // MM/DD/YYYY HH:MM:SS
  if (text.size() != 19 || text[2] != u'/' || text[5] != u'/' || text[10] != u' ' ||
      text[13] != u':' || text[16] != u':')
    return std::nullopt;
  const auto month = Number(text, 0, 2), day = Number(text, 3, 2), year = Number(text, 6, 4);
  const auto hour = Number(text, 11, 2), minute = Number(text, 14, 2), second = Number(text, 17, 2);
  if (!month || !day || !year || !hour || !minute || !second)
    return std::nullopt;
  return FileTimeFromCivil(*year, *month, *day, *hour, *minute, *second);
}

std::optional<std::uint64_t> AmcacheFileTime(Bytes data) {
  if (data.size() != 8)
    return std::nullopt;
  return Le64(data, 0);
}

} // namespace tw
