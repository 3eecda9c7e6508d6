#pragma once
// The reports for other programs: CSV (RFC 4180: CR LF, quotes doubled, a field with a comma,
// a quote or a line break quoted; columns item, key, value) and JSON (one object: the item,
// its sources and its rows as key/value objects). Both UTF-8; rows are split at their first
// "=" as the preview grid splits them.

#include <string>
#include <string_view>
#include <vector>

namespace tw {

std::string CsvField(std::string_view utf8);
// Label and rows already in UTF-8.
std::string CsvReport(std::string_view label, const std::vector<std::string>& rows);

// A JSON string literal, quotes included; control characters escaped.
std::string JsonString(std::string_view utf8);
std::string JsonReport(std::string_view label, const std::vector<std::string>& sources,
                       const std::vector<std::string>& rows);

} // namespace tw
