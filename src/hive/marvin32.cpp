#include "hive/marvin32.h"

#include <bit>

#include "runtime/little_endian.h"

namespace tw::hive {
namespace {

struct State {
  std::uint32_t lo;
  std::uint32_t hi;
};

inline void Mix(State& s) {
  s.hi ^= s.lo;
  s.lo = std::rotl(s.lo, 20);
  s.lo += s.hi;
  s.hi = std::rotl(s.hi, 9);
  s.hi ^= s.lo;
  s.lo = std::rotl(s.lo, 27);
  s.lo += s.hi;
  s.hi = std::rotl(s.hi, 19);
}

} // namespace

std::uint64_t Marvin32(std::span<const std::uint8_t> bytes, std::uint64_t seed) {
  State s{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
  const std::uint8_t* p = bytes.data();
  std::size_t left = bytes.size();
  for (; left >= 4; left -= 4, p += 4) {
    s.lo += le::Load32(p);
    Mix(s);
  }
  // The last 0 to 3 bytes, closed by a 0x80 byte; the padding is always mixed twice.
  std::uint32_t tail = 0x80u << (8 * left);
  for (std::size_t i = 0; i < left; ++i)
    tail |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  s.lo += tail;
  Mix(s);
  Mix(s);
  return (static_cast<std::uint64_t>(s.hi) << 32) | s.lo;
}

} // namespace tw::hive
