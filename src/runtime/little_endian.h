#pragma once
// Little-endian integers, as skin files, BMPs and registry hives store them: one home for the
// readers, the writers and the tools that build skins.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Unchecked loads for parsers that have already checked the bounds (hive cells).
inline std::uint16_t Load16(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, sizeof v);
  return v; // every target of this program is little-endian
}
inline std::uint32_t Load32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline std::uint64_t Load64(const std::uint8_t* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
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
