#include "cli/data_reports.h"

#include <cstdio>

#include "readers/binary_traces.h"

namespace tw {
namespace {

std::string JsonTime(uint64_t fileTime) {
  return fileTime == 0 ? "null" : JsonString(IsoFileTime(fileTime));
}

std::string JsonSource(const SourceRecord& s) {
  if (!s.hive)
    return "{\"description\": " + JsonString(s.description) + "}";
  std::string out = "{\"description\": " + JsonString(s.description) +
                    ", \"kind\": " + JsonString(s.kind) + ", \"path\": " + JsonString(s.path) +
                    ", \"state\": " + JsonString(s.state) +
                    ", \"state_line\": " + JsonString(s.stateLine) +
                    ", \"log_entries\": " + std::to_string(s.logEntries) + ", \"logs\": [";
  for (size_t i = 0; i < s.logsUsed.size(); ++i)
    out += (i > 0 ? ", " : "") + JsonString(s.logsUsed[i]);
  out += "]";
  if (s.state == "recovered")
    out += ", \"sequence_from\": " + std::to_string(s.sequenceFrom) +
           ", \"sequence_to\": " + std::to_string(s.sequenceTo);
  out += ", \"unreadable_keys\": " + std::to_string(s.damage.keys) +
         ", \"unreadable_values\": " + std::to_string(s.damage.values) + "}";
  return out;
}

} // namespace

std::string CsvField(std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(utf8);
  std::string out;
  out.reserve(utf8.size() + 8);
  out += '"';
  std::size_t start = 0;
  for (std::size_t quote; (quote = utf8.find('"', start)) != std::string_view::npos;
       start = quote + 1)
    out.append(utf8.substr(start, quote + 1 - start)).append("\"");
  return out.append(utf8.substr(start)).append("\"");
}

std::string CsvReport(std::string_view label, const std::vector<DataRow>& rows) {
  std::string out = "item,key,value,key_path,key_last_write\r\n";
  const std::string item = CsvField(label);
  for (const DataRow& row : rows) {
    out.append(item).append(",").append(CsvField(row.name)).append(",");
    out.append(CsvField(row.value)).append(",").append(CsvField(row.keyPath)).append(",");
    out.append(IsoFileTime(row.lastWrite)).append("\r\n");
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

std::string JsonReport(std::string_view label, const std::vector<SourceRecord>& sources,
                       const std::vector<DataRow>& rows) {
  std::string out = "{\n  \"item\": " + JsonString(label) + ",\n  \"sources\": [";
  for (size_t i = 0; i < sources.size(); ++i)
    out += (i > 0 ? ", " : "") + JsonSource(sources[i]);
  out += "],\n  \"rows\": [";
  for (size_t i = 0; i < rows.size(); ++i) {
    const DataRow& row = rows[i];
    out += i > 0 ? ",\n    " : "\n    ";
    out += "{\"key\": " + JsonString(row.name) + ", \"value\": " + JsonString(row.value) +
           ", \"key_path\": " + (row.keyPath.empty() ? "null" : JsonString(row.keyPath)) +
           ", \"key_last_write\": " + JsonTime(row.lastWrite) + "}";
  }
  out += rows.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

} // namespace tw
