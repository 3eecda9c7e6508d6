#include "registry/mapped_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "registry/source_errors.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tw {
namespace {

FileBytes ReadIntoMemory(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in)
    throw SourceError(path + ": missing or cannot be read (" + std::strerror(errno) + ")");
  const std::streamoff size = in.tellg();
  in.seekg(0);
  auto bytes = std::make_shared<std::vector<uint8_t>>(size > 0 ? static_cast<size_t>(size) : 0);
  if (!bytes->empty() && !in.read(reinterpret_cast<char*>(bytes->data()), size))
    throw SourceError(path + ": cannot be read");
  return {*bytes, bytes};
}

} // namespace

FileBytes ReadFileBytes(const std::string& path) {
#if !defined(_WIN32)
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    throw SourceError(path + ": missing or cannot be read (" + std::strerror(errno) + ")");
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) {
    close(fd);
    return ReadIntoMemory(path);
  }
  const auto size = static_cast<size_t>(info.st_size);
  void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (mapped == MAP_FAILED)
    return ReadIntoMemory(path);
  std::shared_ptr<const void> keeper(mapped, [size](const void* p) {
    munmap(const_cast<void*>(p), size);
  });
  return {{static_cast<const uint8_t*>(mapped), size}, keeper};
#else
  return ReadIntoMemory(path);
#endif
}

} // namespace tw
