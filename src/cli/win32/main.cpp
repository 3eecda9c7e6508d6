// trailwick-cli on Windows: a console program.

#include <windows.h>

#include <iostream>

#include "cli/cli.h"
#include "cli/win32/app_hive.h"
#include "runtime/seam.h"
#include "runtime/win32/win32_platform.h"
#include "runtime/win32/win32_system_info.h"

int main(int argc, char** argv) {
  using namespace tw;
  // The memory item reads the machine's figures; double-byte code pages need lead bytes.
  Win32SystemInfo system;
  Win32CodePage codePage;
  const ScopedSeam<SystemInfo> systemSeam(system);
  const ScopedSeam<CodePage> codePageSeam(codePage);
  Win32CliPlatform platform;
  const std::vector<std::string> args(argv + 1, argv + argc);
  return static_cast<int>(RunCli(args, platform, std::cout, std::cerr));
}
