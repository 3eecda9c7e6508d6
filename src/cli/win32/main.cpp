// trailwick-cli on Windows: a console program.

#include <windows.h>

#include <iostream>

#include "cli/cli.h"
#include "cli/win32/cli_platform.h"
#include "runtime/seam.h"
#include "runtime/win32/win32_system_info.h"

int main(int argc, char** argv) {
  using namespace tw;
  // The memory item reads the machine's figures.
  Win32SystemInfo system;
  const ScopedSeam<SystemInfo> systemSeam(system);
  Win32CliPlatform platform;
  const std::vector<std::string> args(argv + 1, argv + argc);
  return static_cast<int>(RunCli(args, platform, std::cout, std::cerr));
}
