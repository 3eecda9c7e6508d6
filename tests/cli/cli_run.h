#pragma once
// One run of the command line in this process: its exit code and what it wrote to each stream.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/offline_platform.h"

namespace tw {

struct CliRun {
  ExitCode code;
  std::string out;
  std::string err;
};

inline CliRun RunCliOn(CliPlatform& platform, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const ExitCode code = RunCli(args, platform, out, err);
  return {code, out.str(), err.str()};
}

// On the platform without a registry of its own, as on Linux.
inline CliRun Cli(const std::vector<std::string>& args) {
  OfflineCliPlatform platform;
  return RunCliOn(platform, args);
}

} // namespace tw
