#include "registry/hive_check.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tw {
namespace {

constexpr size_t kHeaderSize = 4096;

uint32_t Le32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

} // namespace

std::string HiveFileProblem(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found)
    return "missing (no such file)";
  if (error)
    return "cannot be read (" + error.message() + ")";
  if (std::filesystem::is_directory(status))
    return "not a hive (a folder)";
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::string("cannot be read (") + std::strerror(errno) + ")";
  char header[kHeaderSize] = {};
  in.read(header, sizeof header);
  const auto got = static_cast<uint64_t>(in.gcount());
  if (got < 4 || std::memcmp(header, "regf", 4) != 0)
    return "not a hive (no registry hive signature)";
  if (got < kHeaderSize)
    return "damaged (truncated within the header)";
  const uint64_t size = std::filesystem::file_size(path, error);
  // The header records the length of the hive's data after it.
  const uint64_t expected = kHeaderSize + uint64_t{Le32(header + 0x28)};
  if (!error && size < expected)
    return "damaged (truncated: " + std::to_string(size) + " of " + std::to_string(expected) +
           " bytes)";
  return {};
}

} // namespace tw
