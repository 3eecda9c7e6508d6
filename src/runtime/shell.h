#pragma once
// Handing a text to the shell, which opens it with its default action: ShellExecuteA with the
// parent window, no verb, the text as the file, no parameters, no working folder and SW_SHOW
// (src/runtime/win32). Its result is ignored: the shell reports its own failures.

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// An opaque native window handle; 0 for none.
using WindowHandle = std::uintptr_t;

class Shell {
public:
  virtual ~Shell() = default;
  virtual void Open(WindowHandle parent, const std::string& file) = 0;
};

// A system without a shell: the launches are kept in order.
class RecordingShell final : public Shell {
public:
  struct Launch {
    WindowHandle parent = 0;
    std::string file;
    bool operator==(const Launch&) const = default;
  };
  void Open(WindowHandle parent, const std::string& file) override {
    launches.push_back({parent, file});
  }
  std::vector<Launch> launches;
};

} // namespace tw
