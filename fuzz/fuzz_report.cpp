// The report writer over an arbitrary label and rows (NUL-separated: the label, then one row
// each). Checked: the page holds no markup from the data (every "<" opens one of the page's
// own tags, every "&" an entity, every double quote is the page's own), one table row per row,
// and the file lands in the report folder under a name the file system takes as one plain name.
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "report/report.h"
#include "runtime/executable.h"
#include "runtime/file_system.h"
#include "runtime/seam.h"
#include "runtime/system_info.h"

namespace {

class FixedClock final : public tw::SystemInfo {
public:
  tw::MemoryFigures Memory() const override { return {}; }
  tw::LocalDateTime Now() const override { return {2026, 12, 7, 1, 10, 30, 0}; }
  tw::LocaleSettings Locale() const override { return {}; }
};

class KeptFiles final : public tw::FileSystem {
public:
  bool CreateFolder(const std::string&) override { return true; }
  void WriteFile(const std::string&, std::string_view bytes) override { this->bytes = bytes; }
  std::optional<std::string> MoveReplacing(const std::string&, const std::string& to) override {
    path = to;
    return std::nullopt;
  }
  void RemoveFile(const std::string&) override {}
  std::string path, bytes;
};

size_t Count(std::string_view text, std::string_view what) {
  size_t n = 0;
  for (size_t pos = text.find(what); pos != std::string_view::npos; pos = text.find(what, pos + 1))
    ++n;
  return n;
}

void CheckPage(std::string_view page, size_t rows) {
  static constexpr std::array<std::string_view, 26> kTags = {
      "<!DOCTYPE ",   "<html>",  "</html>",      "<head>",       "</head>",        "<title>",
      "</title>",     "<body>",  "</body>",      "<h3>",         "</h3>",          "<font size=",
      "<font color=", "</font>", "<p>",          "</p>",         "<table border=", "</table>",
      "<tr bgcolor=", "<tr>",    "<th bgcolor=", "<td bgcolor=", "<a href=",       "</a>",
      "<b>",          "</b>"};
  static constexpr std::array<std::string_view, 4> kEntities = {"&amp;", "&lt;", "&gt;", "&quot;"};
  for (size_t i = 0; i < page.size(); ++i) {
    bool known = true;
    if (page[i] == '<') {
      known = false;
      for (const std::string_view tag : kTags)
        known = known || page.substr(i).starts_with(tag);
    } else if (page[i] == '&') {
      known = false;
      for (const std::string_view entity : kEntities)
        known = known || page.substr(i).starts_with(entity);
    }
    if (!known)
      std::abort();
  }
  static const size_t kFixedQuotes =
      Count(tw::HtmlReport("", {}, tw::LinkRule::RemoveQuotes), "\"");
  if (Count(page, "<tr>") != rows || Count(page, "<title>") != 1 ||
      Count(page, "\"") != kFixedQuotes + 4 * Count(page, "<a href="))
    std::abort();
}

void CheckFileName(std::string_view name) {
  for (const char c : name)
    if (static_cast<unsigned char>(c) < 32 ||
        std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      std::abort();
  if (!name.empty() && name.find_first_not_of('.') == std::string_view::npos)
    std::abort(); // "." and ".." name folders
  // The platform takes these for devices, also before an extension and trailing blanks.
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ')
    base.pop_back();
  for (char& c : base)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (base == device)
      std::abort();
  if (base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' &&
      base[3] <= '9')
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tw::PortableExecutable executable("C:\\Tools\\Trailwick.exe");
  static FixedClock clock;
  KeptFiles files;
  tw::ScopedSeam<tw::Executable> executableSeam(executable);
  tw::ScopedSeam<tw::SystemInfo> clockSeam(clock);
  tw::ScopedSeam<tw::FileSystem> filesSeam(files);

  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t labelEnd = input.find('\0');
  const std::string_view label = input.substr(0, labelEnd);
  std::vector<std::string> rows;
  for (size_t pos = labelEnd; pos != std::string_view::npos && pos < input.size();) {
    const size_t end = input.find('\0', pos + 1);
    rows.emplace_back(input.substr(pos + 1, end == std::string_view::npos ? end : end - pos - 1));
    pos = end;
  }
  const tw::LinkRule rule =
      size % 2 == 0 ? tw::LinkRule::RemoveQuotes : tw::LinkRule::RemoveRunPathPrefix;

  const std::string page = tw::HtmlReport(label, rows, rule);
  CheckPage(page, rows.size());
  const std::string name = tw::ReportFileName(label);
  CheckFileName(name);

  const std::string path = tw::WriteReport(label, rows, tw::ReportFormat::Html, rule);
  if (path != "C:\\Tools\\07-12-2026\\" + name + ".html" || files.path != path ||
      files.bytes != page)
    std::abort();
  tw::WriteReport(label, rows, tw::ReportFormat::Text, rule);
  if (files.bytes != tw::TextReport(rows))
    std::abort();
  return 0;
}
