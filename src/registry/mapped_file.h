#pragma once
// A file's bytes for reading only: mapped read-only where the platform maps files (no copy,
// and the file cannot be changed through it), read into memory elsewhere.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tw {

struct FileBytes {
  std::span<const uint8_t> bytes;
  std::shared_ptr<const void> keeper; // keeps the bytes valid
};

// Raises SourceError naming the file and the reason.
FileBytes ReadFileBytes(const std::string& path);

} // namespace tw
