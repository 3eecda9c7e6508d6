#pragma once
// A set of enum members stored as a bit mask, member i at bit i.

#include <cstdint>
#include <initializer_list>

namespace tw {

template <class E>
class EnumSet {
public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<E> members) {
    for (E m : members)
      Include(m);
  }
  static constexpr EnumSet FromMask(std::uint32_t mask) {
    EnumSet s;
    s.bits_ = mask;
    return s;
  }

  constexpr bool Contains(E m) const { return (bits_ & Bit(m)) != 0; }
  constexpr void Include(E m) { bits_ |= Bit(m); }
  constexpr void Exclude(E m) { bits_ &= ~Bit(m); }
  constexpr std::uint32_t Mask() const { return bits_; }
  friend constexpr bool operator==(EnumSet, EnumSet) = default;

private:
  static constexpr std::uint32_t Bit(E m) { return 1u << static_cast<unsigned>(m); }
  std::uint32_t bits_ = 0;
};

} // namespace tw
