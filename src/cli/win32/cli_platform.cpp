#include "cli/win32/cli_platform.h"

#include <windows.h>

namespace tw {

unsigned Win32CliPlatform::DefaultCodePage(LiveSystem live) const {
  return live == LiveSystem::Present ? GetACP() : kUtf8CodePage;
}

bool Win32CliPlatform::AcceptsCodePage(unsigned number, LiveSystem live) const {
  return live == LiveSystem::Absent || number == GetACP();
}

} // namespace tw
