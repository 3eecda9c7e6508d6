#pragma once
// LZHUF encoder producing the bit stream that TLZH decodes, and the writer of version-70000 skin
// archives (layer 3) and their compressed image (layer 2).

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
// The stored-property envelope: tw::SkinEnvelope (skin/skin_data.h).

} // namespace tw::skinpack
