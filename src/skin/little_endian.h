#pragma once
// Little-endian integers, as every layer of a skin file and every BMP stores them: one home for
// the readers, the writers and the tools that build skins.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tw::le {

// The integer at `at`; bytes past the end read as zero.
inline std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at = 0) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    if (at + i < bytes.size())
      value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  return value;
}
inline std::uint16_t U16(std::span<const std::uint8_t> bytes, std::size_t at = 0) {
  return static_cast<std::uint16_t>(U32(bytes.first(std::min(bytes.size(), at + 2)), at));
}

inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

} // namespace tw::le
