// trailwick-cli on Linux.

#include <iostream>

#include "cli/cli.h"
#include "cli/offline_platform.h"

int main(int argc, char** argv) {
  tw::OfflineCliPlatform platform;
  const std::vector<std::string> args(argv + 1, argv + argc);
  return static_cast<int>(tw::RunCli(args, platform, std::cout, std::cerr));
}
