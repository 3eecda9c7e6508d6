#include "runtime/profile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "runtime/ansi_text.h"
#include "runtime/file_system.h"

namespace tw {
namespace {

using Sections = std::vector<PortableProfile::Section>;

bool IsProfileSpace(unsigned char c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1a;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsProfileSpace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && IsProfileSpace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

// Names match without regard to the case of ASCII letters; the platform we measured keeps
// other letters apart (\xc9 and \xe9 differ).
bool SameName(std::string_view a, std::string_view b) {
  return AsciiEqualIgnoringCase(a, b);
}

void AppendCp1252(std::string& out, char32_t cp) {
  if (cp > 0xffff) {
    out += "??"; // a surrogate pair gives one mark per half
    return;
  }
  out += Cp1252FromUnicode(cp);
}

std::string FromUtf8(std::string_view bytes) {
  std::string out;
  size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    char32_t cp = length == 1 ? c : length == 2 ? (c & 0x1f) : length == 3 ? (c & 0x0f) : (c & 7);
    bool valid = length > 0 && i + length <= bytes.size();
    for (int k = 1; valid && k < length; ++k) {
      const unsigned char t = static_cast<unsigned char>(bytes[i + k]);
      valid = (t & 0xc0) == 0x80;
      cp = (cp << 6) | (t & 0x3f);
    }
    if (!valid) {
      out += '?';
      ++i;
      continue;
    }
    AppendCp1252(out, cp);
    i += static_cast<size_t>(length);
  }
  return out;
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned char a = static_cast<unsigned char>(bytes[i]);
    const unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
    const char32_t unit = bigEndian ? (a << 8 | b) : (b << 8 | a);
    AppendCp1252(out, unit >= 0xd800 && unit <= 0xdfff ? 0xfffd : unit);
  }
  return out;
}

std::string ToCp1252(const std::string& bytes) {
  const std::string_view view(bytes);
  if (view.starts_with("\xef\xbb\xbf"))
    return FromUtf8(view.substr(3));
  if (view.starts_with("\xff\xfe"))
    return FromUtf16(view.substr(2), false);
  if (view.starts_with("\xfe\xff"))
    return FromUtf16(view.substr(2), true);
  return bytes;
}

// The value as the platform copies it into a buffer of `size` characters: one pair of
// enclosing quotes removed when the whole value fits.
void CopyEntry(std::string& out, std::string_view value, uint32_t size) {
  char quote = 0;
  if (!value.empty() && (value[0] == '\'' || value[0] == '"') && value.size() > 1 &&
      value.back() == value[0]) {
    quote = value[0];
    value.remove_prefix(1);
  }
  out.assign(value.substr(0, size - 1));
  if (quote != 0 && size >= value.size() && !out.empty())
    out.pop_back();
}

uint32_t SectionNames(const Sections& sections, std::string& w, uint32_t size) {
  if (size == 1)
    return 0;
  uint32_t room = size - 1;
  size_t pos = 0;
  for (const PortableProfile::Section& section : sections) {
    if (section.name.empty())
      continue;
    const uint32_t length = static_cast<uint32_t>(section.name.size()) + 1;
    if (length >= room) {
      // Cut short: the last name keeps what fits, then two NULs.
      if (room > 0) {
        w.replace(pos, room - 1, section.name, 0, room - 1);
        pos += room - 1;
        w[pos++] = '\0';
      }
      w[pos] = '\0';
      return size - 2;
    }
    w.replace(pos, length - 1, section.name);
    pos += length;
    w[pos - 1] = '\0';
    room -= length;
  }
  w[pos] = '\0';
  return static_cast<uint32_t>(pos);
}

uint32_t KeyNames(const Sections& sections, std::string_view name, std::string& w, uint32_t size) {
  for (const PortableProfile::Section& section : sections) {
    if (!SameName(section.name, name))
      continue;
    uint32_t left = size;
    size_t pos = 0;
    for (const PortableProfile::Key& key : section.keys) {
      if (left <= 2)
        break;
      if (key.name.empty() && !key.value)
        continue;
      if (!key.name.empty() && key.name[0] == ';')
        continue; // a comment
      if (!key.value)
        continue; // a line without "="
      const size_t copied = std::min<size_t>(key.name.size(), left - 2);
      w.replace(pos, copied, key.name, 0, copied);
      w[pos + copied] = '\0';
      left -= static_cast<uint32_t>(copied) + 1;
      pos += copied + 1;
      if (left < 2)
        break;
    }
    w[pos] = '\0';
    if (left <= 1) {
      w[pos - 1] = '\0';
      return size - 2;
    }
    return size - left;
  }
  w[0] = '\0';
  return 0;
}

const PortableProfile::Key* FindKey(const Sections& sections, std::string_view section,
                                    std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  for (const PortableProfile::Section& s : sections) {
    if (!SameName(s.name, section))
      continue;
    for (const PortableProfile::Key& k : s.keys)
      if (SameName(k.name, key))
        return &k;
    return nullptr; // a later section of the same name is shadowed
  }
  return nullptr;
}

} // namespace

struct PortableProfile::Cache {
  std::string fileName;
  std::filesystem::file_time_type time;
  std::uintmax_t size = 0;
  Sections sections;
};

PortableProfile::PortableProfile() = default;
PortableProfile::~PortableProfile() = default;

std::vector<PortableProfile::Section> PortableProfile::Parse(const std::string& bytes) {
  const std::string text = ToCp1252(bytes);
  Sections sections(1); // the lines before the first header
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = pos;
    while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r')
      ++pos;
    const std::string_view line = Trim(std::string_view(text).substr(start, pos - start));
    while (pos < text.size() && (text[pos] == '\n' || text[pos] == '\r'))
      ++pos;
    if (line.empty())
      continue;
    if (line[0] == '[') {
      const size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        sections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    const size_t equals = line.find('=');
    Key key;
    key.name = std::string(Trim(line.substr(0, equals)));
    if (equals != std::string_view::npos)
      key.value = std::string(Trim(line.substr(equals + 1)));
    sections.back().keys.push_back(std::move(key));
  }
  return sections;
}

const std::vector<PortableProfile::Section>& PortableProfile::Load(const std::string& fileName) {
  const std::filesystem::path path(HostPath(fileName));
  std::error_code error;
  const auto time = std::filesystem::last_write_time(path, error);
  const std::uintmax_t size = error ? 0 : std::filesystem::file_size(path, error);
  if (error) {
    cache_.reset();
    static const Sections kNone;
    return kNone;
  }
  if (!cache_ || cache_->fileName != fileName || cache_->time != time || cache_->size != size) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    cache_ = std::make_unique<Cache>(Cache{fileName, time, size, Parse(bytes)});
  }
  return cache_->sections;
}

uint32_t PortableProfile::ProfileString(const char* section, const char* key,
                                        const char* defaultValue, char* buffer, uint32_t size,
                                        const std::string& fileName) {
  if (buffer == nullptr || size == 0)
    return 0;
  std::string_view fallback = defaultValue != nullptr ? defaultValue : "";
  while (!fallback.empty() && fallback.back() == ' ')
    fallback.remove_suffix(1);
  const Sections& sections = Load(fileName);
  std::string w(size + 1, '\0');
  uint32_t length = 0;
  if (section == nullptr) {
    length = SectionNames(sections, w, size);
  } else if (key == nullptr) {
    length = KeyNames(sections, section, w, size);
    if (w[0] == '\0') {
      std::string entry;
      CopyEntry(entry, fallback, size);
      length = static_cast<uint32_t>(entry.size());
      w.replace(0, entry.size(), entry);
    }
  } else {
    const Key* found = FindKey(sections, section, key);
    std::string entry;
    CopyEntry(entry, found != nullptr && found->value ? std::string_view(*found->value) : fallback,
              size);
    length = static_cast<uint32_t>(entry.size());
    w.replace(0, entry.size(), entry);
  }
  std::memcpy(buffer, w.data(), length);
  buffer[length] = '\0';
  return length;
}

} // namespace tw
