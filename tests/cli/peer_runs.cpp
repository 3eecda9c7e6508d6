#include "peer_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli.h"
#include "cli/offline_platform.h"
#include "hive_files.h"

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

std::string RegRipperOutput(const std::string& hive, const std::string& plugin) {
  int status = 0;
  std::string out =
      RunCommand("regripper -r '" + hive + "' -p " + plugin + " 2>/dev/null", &status);
  EXPECT_EQ(status, 0) << plugin;
  return out;
}

} // namespace tw::test
