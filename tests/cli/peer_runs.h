#pragma once
// Both sides of a comparison with RegRipper, as lines: our command line's `show` over a hive
// and a RegRipper plugin's output.

#include <string>
#include <string_view>
#include <vector>

namespace tw::test {

using Rows = std::vector<std::string>;

// The lines of a text, without their line ends (LF or CR LF).
Rows Lines(const std::string& text);
std::string TrimRight(std::string text);
Rows Sorted(Rows rows);

// `trailwick-cli show --hive HIVE ITEM`; a failing run fails the test.
Rows ShowOnHive(const std::string& hive, const std::string& item);

// The records of an RFC 4180 text (quoted fields, doubled quotes, CR LF).
std::vector<std::vector<std::string>> CsvRecords(const std::string& text);

// One row of an item as `export --format csv` writes it.
struct CsvRow {
  std::string name;
  std::string value;
  std::string keyPath;
  std::string keyLastWrite;
};
// `trailwick-cli export [ARGS...] ITEM --format csv` into a temporary folder, read back; a
// failing run fails the test.
std::vector<CsvRow> ExportRows(const std::vector<std::string>& sources, const std::string& item);

// `regripper -r HIVE -p PLUGIN`; a failing run fails the test.
std::string RegRipperOutput(const std::string& hive, const std::string& plugin);

} // namespace tw::test
