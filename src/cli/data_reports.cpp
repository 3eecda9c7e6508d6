#include "cli/data_reports.h"

#include <cstdio>

#include "runtime/strings.h"

namespace tw {

std::string CsvField(std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(utf8);
  std::string out = "\"";
  for (const char c : utf8) {
    if (c == '"')
      out += '"';
    out += c;
  }
  return out + "\"";
}

std::string CsvReport(std::string_view label, const std::vector<std::string>& rows) {
  std::string out = "item,key,value\r\n";
  const std::string item = CsvField(label);
  for (const std::string& row : rows) {
    const auto [key, value] = SplitRow(row);
    out.append(item).append(",").append(CsvField(key)).append(",").append(CsvField(value));
    out.append("\r\n");
  }
  return out;
}

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    default:
      if (static_cast<unsigned char>(c) < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
        out += escape;
      } else {
        out += c;
      }
    }
  }
  return out + "\"";
}

std::string JsonReport(std::string_view label, const std::vector<std::string>& sources,
                       const std::vector<std::string>& rows) {
  std::string out = "{\n  \"item\": " + JsonString(label) + ",\n  \"sources\": [";
  for (size_t i = 0; i < sources.size(); ++i)
    out += (i > 0 ? ", " : "") + JsonString(sources[i]);
  out += "],\n  \"rows\": [";
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto [key, value] = SplitRow(rows[i]);
    out += i > 0 ? ",\n    " : "\n    ";
    out += "{\"key\": " + JsonString(key) + ", \"value\": " + JsonString(value) + "}";
  }
  out += rows.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

} // namespace tw
