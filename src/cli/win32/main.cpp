// trailwick-cli on Windows: a console program.

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>

#include "cli/cli.h"
#include "cli/win32/cli_platform.h"
#include "runtime/seam.h"
#include "runtime/win32/win32_system_info.h"

int main(int argc, char** argv) {
  using namespace tw;
  // Reports and dumps are bytes: no line-end translation on the way out.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The memory item reads the machine's figures.
  Win32SystemInfo system;
  const ScopedSeam<SystemInfo> systemSeam(system);
  Win32CliPlatform platform;
  const std::vector<std::string> args(argv + 1, argv + argc);
  return static_cast<int>(RunCli(args, platform, std::cout, std::cerr));
}
