#include "registry/wow32_view.h"

#include <algorithm>
#include <string_view>

#include "runtime/ansi_text.h"

namespace tw {
namespace {

// Keys below HKEY_LOCAL_MACHINE\SOFTWARE that both views share, as measured under Wine. Of the
// class registrations the platform splits some subkeys (CLSID …); no reader looks there, so
// here they are shared whole.
constexpr std::string_view kSharedKeys[] = {
    "Classes",
    "Microsoft\\Windows NT\\CurrentVersion\\Time Zones",
    "Microsoft\\Windows NT\\CurrentVersion\\Fonts",
    "Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options",
    "Microsoft\\Windows\\CurrentVersion\\App Paths",
    "Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes",
};

// Whether the path below SOFTWARE (its components from index 1 on) lies in a shared key.
bool IsShared(const std::vector<std::string>& path) {
  for (const std::string_view shared : kSharedKeys) {
    size_t i = 1;
    size_t start = 0;
    bool match = true;
    while (match && start <= shared.size()) {
      const size_t end = std::min(shared.find('\\', start), shared.size());
      match = i < path.size() && AsciiEqualIgnoringCase(path[i], shared.substr(start, end - start));
      ++i;
      start = end + 1;
    }
    if (match)
      return true;
  }
  return false;
}

} // namespace

std::vector<std::string> InWow32View(std::vector<std::string> path) {
  if (path.size() >= 2 && AsciiEqualIgnoringCase(path[0], "SOFTWARE") &&
      !AsciiEqualIgnoringCase(path[1], "Wow6432Node") && !IsShared(path))
    path.insert(path.begin() + 1, "Wow6432Node");
  return path;
}

} // namespace tw
