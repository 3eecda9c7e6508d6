#pragma once
// LZHUF encoder producing the bit stream that TLZH decodes, and the writer of version-70000 skin
// archives (layer 3), their compressed image (layer 2) and the stored-property envelope (layer 1).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tw::skinpack {

// The LZHUF bit stream of the input (without the length prefix).
std::vector<std::uint8_t> EncodeLzhuf(std::span<const std::uint8_t> input);

struct ArchiveEntry {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

// Uncompressed archive: version 70000, zeroed header gap and version block, CR LF name list.
std::vector<std::uint8_t> BuildArchive(const std::vector<ArchiveEntry>& entries);

// Skin file image: the u32 decompressed length followed by the LZHUF stream.
std::vector<std::uint8_t> CompressArchive(std::span<const std::uint8_t> archive);

// Stored-property form: the i32 byte count followed by the skin file image.
std::vector<std::uint8_t> WrapEnvelope(std::span<const std::uint8_t> skinFile);

} // namespace tw::skinpack
