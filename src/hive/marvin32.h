#pragma once
// Marvin32, the seeded 64-bit hash that guards the entries of new-format transaction logs.

#include <cstdint>
#include <span>

namespace tw::hive {

// The seed the registry uses for the two hashes of a log entry.
inline constexpr std::uint64_t kLogEntrySeed = 0x82EF4D887A4E55C5;

// The hash of `bytes`: the second state word in the high half, the first in the low half, as
// the log entries store it (little-endian).
std::uint64_t Marvin32(std::span<const std::uint8_t> bytes, std::uint64_t seed);

} // namespace tw::hive
