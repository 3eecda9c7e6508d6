#include "report/report.h"

#include <array>
#include <cctype>
#include <cstdio>

#include "runtime/ansi_text.h"
#include "runtime/executable.h"
#include "runtime/file_system.h"
#include "runtime/seam.h"
#include "runtime/strings.h"
#include "runtime/system_info.h"

namespace tw {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kRowStart = "<tr><td bgcolor=#FFFFFF nowrap>";
constexpr std::string_view kCellStart = "<td bgcolor=#FFFFFF nowrap>";
constexpr std::string_view kLinkStart = "<td bgcolor=#FFFFFF nowrap><a href=\"";
constexpr std::string_view kLinkMiddle = "\" target=\"newwin\">";
constexpr std::string_view kLinkEnd = "</a>";
constexpr std::string_view kNotAvailable = "<font color=#FF0000><b>N/A</b></font>";
constexpr std::string_view kRunPathPrefix = "UEME_RUNPATH:";

std::string RemoveAll(std::string_view text, std::string_view what) {
  std::string result;
  result.reserve(text.size());
  size_t pos = 0;
  for (size_t found; (found = text.find(what, pos)) != std::string_view::npos;
       pos = found + what.size())
    result.append(text.substr(pos, found - pos));
  result.append(text.substr(pos));
  return result;
}

void AppendLine(std::string& out, std::string_view a, std::string_view b = {},
                std::string_view c = {}) {
  out.append(a).append(b).append(c).append(kCrLf);
}

bool IsDeviceName(std::string_view base) {
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  const std::string upper = AsciiUpperCase(base);
  for (std::string_view name : kPlain)
    if (upper == name)
      return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '1' && upper[3] <= '9';
}

} // namespace

std::optional<ReportFormat> ReportFormatOf(int choice) {
  switch (choice) {
  case 0:
    return ReportFormat::Text;
  case 1:
    return ReportFormat::Html;
  default:
    return std::nullopt;
  }
}

std::string ReportFolderName(const LocalDate& date) {
  char name[32];
  std::snprintf(name, sizeof name, "%02d-%02d-%04d", date.day, date.month, date.year);
  return name;
}

std::string ReportFolder(const LocalDate& date) {
  return ExecutableFolder() + ReportFolderName(date);
}

std::string ReportFileName(std::string_view label) {
  std::string name(label);
  for (char& c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      c = '_';
  }
  if (name.find_first_not_of('.') == std::string::npos && !name.empty())
    return "_";
  // The platform takes "NUL", "COM1" ... (also before an extension) for devices, which would
  // swallow the report.
  std::string_view base = std::string_view(name).substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ')
    base.remove_suffix(1);
  if (IsDeviceName(base))
    name = "_" + name;
  return name;
}

std::string ReportTitle(std::string_view label, std::string_view source) {
  std::string title = "Trailwick - ";
  title.append(label);
  if (!source.empty())
    title.append(" - ").append(source);
  return title;
}

std::string TextReport(const std::vector<std::string>& rows, std::string_view label,
                       std::string_view source) {
  std::string out;
  if (!source.empty())
    AppendLine(out, ReportTitle(label, source));
  for (const std::string& row : rows)
    AppendLine(out, row);
  return out;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    default:
      out += c;
    }
  }
  return out;
}

std::string HtmlRowLine(std::string_view row, LinkRule rule) {
  const auto [key, value] = SplitRow(row);
  std::string line(kRowStart);
  line += HtmlEscape(key);
  if (value.find(":\\") != std::string_view::npos && value[0] != '@') {
    const std::string target = rule == LinkRule::RemoveRunPathPrefix
                                   ? RemoveAll(value, kRunPathPrefix)
                                   : RemoveAll(value, "\"");
    line.append(kLinkStart).append(HtmlEscape("file:///" + target)).append(kLinkMiddle);
    line.append(HtmlEscape(value)).append(kLinkEnd);
  } else if (!value.empty()) {
    line.append(kCellStart).append(HtmlEscape(value));
  } else {
    line.append(kCellStart).append(kNotAvailable);
  }
  return line;
}

std::string HtmlReport(std::string_view label, const std::vector<std::string>& rows, LinkRule rule,
                       std::string_view source) {
  const std::string heading = HtmlEscape(label);
  std::string out;
  out.reserve(400 + rows.size() * 160);
  AppendLine(out, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">");
  AppendLine(out, "<html><head><title>", HtmlEscape(ReportTitle(label, source)), "</title></head>");
  AppendLine(out, "<body>");
  AppendLine(out, " <h3><font size=\"6\">", heading, "</font></h3>");
  AppendLine(out, "\t<p><table border=\"1\" cellpadding=\"5\"><tr bgcolor=\"#9DCEFF\">");
  AppendLine(out, "<th bgcolor=\"#000000\"><font color=\"#FFFFFF\">Key</font>");
  AppendLine(out, "<th bgcolor=\"#000000\"><font color=\"#FFFFFF\">Value</font>");
  for (const std::string& row : rows)
    AppendLine(out, HtmlRowLine(row, rule));
  AppendLine(out, "</table>");
  AppendLine(out, "\t<p>Created by using <b>Trailwick</b></p>");
  AppendLine(out, "</body></html>");
  return out;
}

std::string WriteReport(std::string_view label, const std::vector<std::string>& rows,
                        ReportFormat format, LinkRule rule, std::string_view source) {
  const std::string folder = ReportFolder(Seam<SystemInfo>::Get().Now().Date());
  FileSystem& files = Seam<FileSystem>::Get();
  files.CreateFolder(folder);
  const bool html = format == ReportFormat::Html;
  const std::string path = folder + "\\" + ReportFileName(label) + (html ? ".html" : ".txt");
  SaveFile(files, path,
           html ? HtmlReport(label, rows, rule, source) : TextReport(rows, label, source));
  return path;
}

} // namespace tw
