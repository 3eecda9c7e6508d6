#include "runtime/executable.h"

#include <filesystem>

#include "runtime/file_system.h"
#include "runtime/seam.h"

namespace tw {

PortableExecutable::PortableExecutable() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error)
    path_ = FromHostPath(self.string());
}

std::string ExecutablePath() {
  return Seam<Executable>::Get().Path();
}

std::string ExecutableFolder() {
  const std::string path = ExecutablePath();
  const size_t slash = path.find_last_of("\\:");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace tw
