#pragma once
// Key node and value records read from a cell's bytes wherever they are: in an allocated cell
// (the reader) or left in free space (the deleted-entry scan). Only the record's own layout is
// checked here (signature, fixed part and name within the bytes); where it lives is the caller's.

#include <cstdint>
#include <optional>
#include <span>

#include "hive/hive.h"

namespace tw::hive {

inline constexpr std::size_t kKeyNodeFixedSize = 76;
inline constexpr std::size_t kValueFixedSize = 20;
inline constexpr std::uint32_t kBinHeaderSize = 32;
// Each big-data segment holds at most this many bytes of the value.
inline constexpr std::uint32_t kBigDataSegmentSize = 16344;
// The registry's limit on the depth of its tree.
inline constexpr int kMaxKeyDepth = 512;

inline bool HasSignature(std::span<const std::uint8_t> bytes, char a, char b) {
  return bytes.size() >= 2 && bytes[0] == static_cast<std::uint8_t>(a) &&
         bytes[1] == static_cast<std::uint8_t>(b);
}

// `bytes` start at the record's signature; `cell` is the offset its cell would have.
std::optional<KeyNode> ParseKeyNode(CellRef cell, std::span<const std::uint8_t> bytes);
std::optional<ValueRecord> ParseValueRecord(CellRef cell, std::span<const std::uint8_t> bytes);

} // namespace tw::hive
