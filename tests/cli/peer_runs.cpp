#include "peer_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli/offline_platform.h"
#include "hive_files.h"
#include "support/fixtures.h"
#include "support/platform.h"

namespace tw::test {

Rows Lines(const std::string& text) {
  Rows lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string TrimRight(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

Rows Sorted(Rows rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

Rows ShowOnHive(const std::string& hive, const std::string& item) {
  OfflineCliPlatform platform;
  std::ostringstream out, err;
  const ExitCode code = RunCli({"show", "--hive", hive, item}, platform, out, err);
  EXPECT_EQ(code, ExitCode::Done) << err.str();
  return Lines(out.str());
}

std::vector<std::vector<std::string>> CsvRecords(const std::string& text) {
  std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& field = records.back().back();
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
        field += text[++i];
      else if (c == '"')
        quoted = false;
      else
        field += c;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      records.back().emplace_back();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      records.emplace_back(1);
    } else {
      field += c;
    }
  }
  if (records.back().size() == 1 && records.back()[0].empty())
    records.pop_back();
  return records;
}

std::vector<CsvRow> ExportRows(const std::vector<std::string>& sources, const std::string& item) {
  const TempFolder out;
  std::vector<std::string> args = {"export"};
  args.insert(args.end(), sources.begin(), sources.end());
  args.insert(args.end(), {item, "--format", "csv", "--out", out.Host().string(), "--force"});
  OfflineCliPlatform platform;
  std::ostringstream stdOut, err;
  EXPECT_EQ(RunCli(args, platform, stdOut, err), ExitCode::Done) << err.str();
  std::vector<CsvRow> rows;
  for (const auto& entry : std::filesystem::directory_iterator(out.Host())) {
    const auto records = CsvRecords(ReadFileBytes(entry.path().string()));
    for (std::size_t r = 1; r < records.size(); ++r) {
      EXPECT_EQ(records[r].size(), 5u);
      if (records[r].size() == 5)
        rows.push_back({records[r][1], records[r][2], records[r][3], records[r][4]});
    }
  }
  return rows;
}

std::string RegRipperOutput(const std::string& hive, const std::string& plugin) {
  int status = 0;
  std::string out =
      RunCommand("regripper -r '" + hive + "' -p " + plugin + " 2>/dev/null", &status);
  EXPECT_EQ(status, 0) << plugin;
  return out;
}

} // namespace tw::test
