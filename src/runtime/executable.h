#pragma once
// The running program's own file: reports and the database live beside it. Windows:
// GetModuleFileNameA (src/runtime/win32). Paths are Windows-style ("\" between components).

#include <string>

namespace tw {

class Executable {
public:
  virtual ~Executable() = default;
  virtual std::string Path() const = 0;
};

// A fixed path: the host's program path by default, or the one a test names.
class PortableExecutable final : public Executable {
public:
  PortableExecutable();
  explicit PortableExecutable(std::string path) : path_(std::move(path)) {}
  std::string Path() const override { return path_; }

private:
  std::string path_;
};

// The full path of the running executable, through the installed seam.
std::string ExecutablePath();
// Its folder, ending in "\" (empty when the path names no folder).
std::string ExecutableFolder();

} // namespace tw
