#include "registry/reg_file.h"

#include <cctype>
#include <cstdint>
#include <vector>

#include "runtime/ansi_text.h"
#include "runtime/code_page.h"
#include "runtime/exceptions.h"

namespace tw {
namespace {

struct RootName {
  const char* name;
  RegKey key;
};

constexpr RootName kRoots[] = {{"HKEY_CLASSES_ROOT", reg::kClassesRoot},
                               {"HKEY_CURRENT_USER", reg::kCurrentUser},
                               {"HKEY_LOCAL_MACHINE", reg::kLocalMachine},
                               {"HKEY_USERS", reg::kUsers},
                               {"HKCR", reg::kClassesRoot},
                               {"HKCU", reg::kCurrentUser},
                               {"HKLM", reg::kLocalMachine},
                               {"HKU", reg::kUsers}};

class Importer {
public:
  Importer(RegistryApi& registry, std::vector<std::string> lines, bool unicode)
      : registry_(registry), lines_(std::move(lines)), unicode_(unicode) {}

  ~Importer() { CloseCurrent(); }

  RegImportStats Run() {
    for (lineNo_ = 1; lineNo_ < lines_.size(); ++lineNo_) {
      std::string line = Trimmed(lines_[lineNo_]);
      if (line.empty() || line[0] == ';' || line[0] == '#')
        continue;
      if (line[0] == '[')
        OpenKey(line);
      else
        SetValue(line);
    }
    return stats_;
  }

private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw Exception(
        Format("Registry file, line %d: %s", static_cast<int>(lineNo_ + 1), why.c_str()));
  }

  static std::string Trimmed(std::string_view s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
      ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
      --e;
    return std::string(s.substr(b, e - b));
  }

  void CloseCurrent() {
    if (open_)
      registry_.CloseKey(current_);
    open_ = false;
  }

  void OpenKey(const std::string& line) {
    CloseCurrent();
    skipping_ = false;
    const size_t close = line.rfind(']');
    if (close == std::string::npos)
      Fail("missing ]");
    std::string path = line.substr(1, close - 1);
    if (!path.empty() && path[0] == '-') {
      // Deletions are not needed by fixtures; their values are skipped.
      skipping_ = true;
      return;
    }
    const size_t slash = path.find('\\');
    const std::string root = path.substr(0, slash);
    const std::string sub = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    RegKey rootKey = 0;
    for (const RootName& r : kRoots)
      if (root == r.name)
        rootKey = r.key;
    if (rootKey == 0)
      Fail("unknown root key " + root);
    if (registry_.CreateKeyEx(rootKey, sub.c_str(), reg::kOptionNonVolatile, reg::kAllAccess,
                              &current_) != reg::kSuccess)
      Fail("cannot create key " + path);
    open_ = true;
    ++stats_.keys;
  }

  // Reads a quoted text starting at s[pos] == '"'; returns the position after the closing quote.
  size_t ReadQuoted(const std::string& s, size_t pos, std::string& out) const {
    out.clear();
    for (size_t i = pos + 1; i < s.size(); ++i) {
      const char c = s[i];
      if (c == '\\' && i + 1 < s.size()) {
        const char n = s[++i];
        out += n == 'n' ? '\n' : (n == 'r' ? '\r' : (n == '0' ? '\0' : n));
      } else if (c == '"') {
        return i + 1;
      } else {
        out += c;
      }
    }
    Fail("unterminated string");
  }

  // Joins a hex list continued over several lines with trailing backslashes.
  std::string JoinContinuations(std::string text) {
    std::string joined;
    for (;;) {
      std::string part = Trimmed(text);
      if (!part.empty() && part.back() == '\\' && lineNo_ + 1 < lines_.size()) {
        part.pop_back();
        joined += part;
        text = lines_[++lineNo_];
        continue;
      }
      joined += part;
      return joined;
    }
  }

  std::vector<uint8_t> ParseHex(const std::string& text) const {
    std::vector<uint8_t> bytes;
    size_t i = 0;
    while (i < text.size()) {
      while (i < text.size() && (text[i] == ',' || text[i] == ' ' || text[i] == '\t'))
        ++i;
      if (i >= text.size())
        break;
      size_t j = i;
      while (j < text.size() && std::isxdigit(static_cast<unsigned char>(text[j])))
        ++j;
      if (j == i || j - i > 2)
        Fail("bad hex byte");
      bytes.push_back(static_cast<uint8_t>(std::stoul(text.substr(i, j - i), nullptr, 16)));
      i = j;
    }
    return bytes;
  }

  // Version 5 files hold UTF-16 text in hex(2) and hex(7) data; the ANSI store holds 8-bit text.
  std::vector<uint8_t> NarrowText(const std::vector<uint8_t>& wide) const {
    std::u16string text;
    for (size_t i = 0; i + 1 < wide.size(); i += 2)
      text += static_cast<char16_t>(wide[i] | (wide[i + 1] << 8));
    const std::string narrow = AnsiFromUtf16(text);
    return std::vector<uint8_t>(narrow.begin(), narrow.end());
  }

  void SetValue(const std::string& line) {
    std::string name;
    size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] == '"') {
      pos = ReadQuoted(line, 0, name);
    } else {
      Fail("value line must start with \" or @");
    }
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
      ++pos;
    if (pos >= line.size() || line[pos] != '=')
      Fail("missing =");
    const std::string data = Trimmed(std::string_view(line).substr(pos + 1));
    if (skipping_)
      return;
    if (!open_)
      Fail("value outside a key");
    if (data == "-")
      return; // value deletion: nothing to delete in a fresh import

    uint32_t type = reg::kSz;
    std::vector<uint8_t> bytes;
    if (!data.empty() && data[0] == '"') {
      std::string text;
      ReadQuoted(data, 0, text);
      bytes.assign(text.begin(), text.end());
      bytes.push_back(0);
    } else if (data.rfind("dword:", 0) == 0) {
      const std::string digits = data.substr(6);
      if (digits.empty() || digits.size() > 8 ||
          digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        Fail("bad dword");
      const uint32_t v = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
      type = reg::kDword;
      bytes = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
               static_cast<uint8_t>(v >> 24)};
    } else if (data.rfind("hex", 0) == 0) {
      size_t colon = data.find(':');
      if (colon == std::string::npos)
        Fail("bad hex value");
      type = reg::kBinary;
      if (data[3] == '(') {
        const size_t close = data.find(')');
        if (close == std::string::npos || close > colon)
          Fail("bad hex type");
        const std::string digits = data.substr(4, close - 4);
        if (digits.empty() || digits.size() > 8 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
          Fail("bad hex type");
        type = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
      }
      bytes = ParseHex(JoinContinuations(data.substr(colon + 1)));
      if (unicode_ && (type == reg::kExpandSz || type == reg::kMultiSz || type == reg::kSz))
        bytes = NarrowText(bytes);
    } else {
      Fail("unknown value format");
    }
    if (registry_.SetValueEx(current_, name.c_str(), type, bytes.data(),
                             static_cast<uint32_t>(bytes.size())) != reg::kSuccess)
      Fail("cannot set value " + name);
    ++stats_.values;
  }

  RegistryApi& registry_;
  std::vector<std::string> lines_;
  bool unicode_;
  size_t lineNo_ = 0;
  RegKey current_ = 0;
  bool open_ = false;
  bool skipping_ = false;
  RegImportStats stats_;
};

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty())
    lines.push_back(line);
  return lines;
}

} // namespace

RegImportStats ImportRegFile(RegistryApi& registry, std::string_view fileBytes) {
  std::string text;
  bool unicode = false;
  if (fileBytes.size() >= 2 && static_cast<uint8_t>(fileBytes[0]) == 0xFF &&
      static_cast<uint8_t>(fileBytes[1]) == 0xFE) {
    std::u16string wide;
    for (size_t i = 2; i + 1 < fileBytes.size(); i += 2)
      wide += static_cast<char16_t>(static_cast<uint8_t>(fileBytes[i]) |
                                    (static_cast<uint8_t>(fileBytes[i + 1]) << 8));
    text = AnsiFromUtf16(wide);
    unicode = true;
  } else {
    text.assign(fileBytes);
  }
  std::vector<std::string> lines = SplitLines(text);
  if (lines.empty())
    throw Exception("Registry file is empty");
  const std::string header = lines[0];
  if (header.rfind("Windows Registry Editor Version 5.00", 0) == 0)
    unicode = true;
  else if (header.rfind("REGEDIT4", 0) != 0)
    throw Exception("Not a registry file: " + header);
  return Importer(registry, std::move(lines), unicode).Run();
}

} // namespace tw
