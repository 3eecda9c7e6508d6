#include "skin/model/quick_ini.h"

#include <cstdint>

#include "runtime/ansi_text.h"
#include "runtime/exceptions.h"
#include "skin/model/skin_reader.h"

namespace tw {

namespace {

// Spaces and control characters are trimmed.
std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
    ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
    --end;
  return text.substr(begin, end - begin);
}

} // namespace

std::optional<int> ParseDelphiInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  }
  if (i >= text.size())
    return std::nullopt;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char ch = text[i];
    int digit = -1;
    if (ch >= '0' && ch <= '9')
      digit = ch - '0';
    else if (hex && ch >= 'a' && ch <= 'f')
      digit = ch - 'a' + 10;
    else if (hex && ch >= 'A' && ch <= 'F')
      digit = ch - 'A' + 10;
    if (digit < 0)
      return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFull)
      return std::nullopt;
  }
  if (hex) {
    // Eight hex digits fill the 32 bits, sign included.
    const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return negative ? static_cast<int>(0 - static_cast<std::uint32_t>(bits)) : bits;
  }
  if (negative)
    return value > 0x80000000ull
               ? std::nullopt
               : std::optional<int>(static_cast<int>(-static_cast<std::int64_t>(value)));
  return value > 0x7FFFFFFFull ? std::nullopt : std::optional<int>(static_cast<int>(value));
}

void TQuickIni::LoadFromStream(TMemoryStream& stream) {
  std::string text(stream.Remaining(), '\0');
  stream.Read(text.data(), text.size());
  LoadFromText(text);
}

void TQuickIni::LoadFromText(std::string_view text) {
  lines_.clear();
  headers_.clear();
  isHeader_.clear();
  auto keep = [&](std::string_view raw) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';')
      return;
    const bool header = line.size() >= 2 && line.front() == '[' && line.back() == ']';
    if (header)
      headers_.push_back({AsciiLowerCase(line), static_cast<int>(lines_.size())});
    lines_.emplace_back(line);
    isHeader_.push_back(header);
  };
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\r' || ch == '\n' || ch == '\0') {
      keep(text.substr(start, i - start));
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
      start = i + 1;
    }
  }
  if (start < text.size())
    keep(text.substr(start));
}

void TQuickIni::ReadSections(TStrings* list) const {
  if (list == nullptr)
    throw EAssertionFailed("The parameter Strings is unassigned!");
  list->Clear();
  for (const Header& header : headers_) {
    const std::string& line = lines_[header.line];
    list->Add(std::string(Trim(std::string_view(line).substr(1, line.size() - 2))));
  }
}

int TQuickIni::SectionIndex(std::string_view section) const {
  std::string wanted = "[";
  wanted += AsciiLowerCase(section);
  wanted += ']';
  for (const Header& header : headers_)
    if (header.lowered == wanted)
      return header.line;
  return -1;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
  const int at = SectionIndex(section);
  if (at < 0)
    return std::string(defaultValue);
  const std::string wanted = AsciiLowerCase(key);
  for (std::size_t i = static_cast<std::size_t>(at) + 1; i < lines_.size() && !isHeader_[i]; ++i) {
    const std::string_view line = lines_[i];
    const std::size_t equals = line.find('=');
    const std::string_view lineKey =
        equals == std::string_view::npos ? std::string_view() : Trim(line.substr(0, equals));
    if (AsciiLowerCase(lineKey) != wanted)
      continue;
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
    return value.empty() ? std::string(defaultValue) : std::string(value);
  }
  return std::string(defaultValue);
}

int TQuickIni::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.replace(0, 2, "$");
  return ParseDelphiInteger(text).value_or(defaultValue);
}

} // namespace tw
