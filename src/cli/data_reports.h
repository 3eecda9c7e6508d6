#pragma once
// The reports for other programs: CSV (RFC 4180: CR LF, quotes doubled, a field with a comma,
// a quote or a line break quoted; columns item, key, value, key_path, key_last_write) and JSON
// (one object: the item, its sources and its rows). Both UTF-8. Each row's name and value are
// the cells its reader made, never a row split at its first "="; the key a row was read from
// and that key's last-write time (ISO 8601, UTC) come with it, empty where there is none.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry/hive_store.h"

namespace tw {

// A row in UTF-8.
struct DataRow {
  std::string name;
  std::string value;
  std::string keyPath;     // empty for a row read from no key
  uint64_t lastWrite = 0;  // FILETIME; 0 when the source keeps none
};

// A source as the JSON report names it; hive files also say what recovery did and what could
// not be read while the item ran.
struct SourceRecord {
  std::string description;
  bool hive = false;
  std::string path;
  std::string kind;
  std::string state; // "clean", "recovered", "dirty"
  std::string stateLine;
  uint32_t logEntries = 0;
  std::vector<std::string> logsUsed;
  uint32_t sequenceFrom = 0;
  uint32_t sequenceTo = 0;
  HiveDamage damage;
};

std::string CsvField(std::string_view utf8);
std::string CsvReport(std::string_view label, const std::vector<DataRow>& rows);

// A JSON string literal, quotes included; control characters escaped.
std::string JsonString(std::string_view utf8);
std::string JsonReport(std::string_view label, const std::vector<SourceRecord>& sources,
                       const std::vector<DataRow>& rows);

} // namespace tw
