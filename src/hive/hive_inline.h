#pragma once
// The templates of hive.h.

#include <cstdint>
#include <utility>
#include <vector>

#include "runtime/little_endian.h"

namespace tw::hive {

template <class Visit>
void Hive::ForEachCell(Visit visit) const {
  constexpr std::uint32_t kBinHeader = 32;
  for (const Bin& bin : bins_) {
    std::uint32_t at = bin.start + kBinHeader;
    while (at + 4 <= bin.end) {
      const auto raw = static_cast<std::int32_t>(le::Load32(image_.data() + kBaseBlockSize + at));
      const bool allocated = raw < 0;
      const std::uint32_t size =
          allocated ? 0u - static_cast<std::uint32_t>(raw) : static_cast<std::uint32_t>(raw);
      // A size that cannot be (too small, unaligned, past the bin) ends this bin's cells.
      if (size < 8 || size % 8 != 0 || size > bin.end - at)
        break;
      const CellView view{
          std::span<const std::uint8_t>(image_.data() + kBaseBlockSize + at + 4, size - 4),
          allocated};
      if (!visit(at, view))
        return;
      at += size;
    }
  }
}

template <class Visit>
std::uint32_t Walk(const Hive& hive, const KeyNode& start, Visit visit) {
  std::uint32_t unreadable = 0;
  // One bit for every place a cell can start (cells are 8-byte aligned).
  std::vector<std::uint64_t> seen(hive.BinsEnd() / 8 / 64 + 1);
  std::vector<std::pair<KeyNode, int>> stack{{start, 0}};
  std::vector<KeyNode> children;
  while (!stack.empty()) {
    auto [key, depth] = stack.back();
    stack.pop_back();
    const std::size_t slot = key.cell / 8;
    const std::uint64_t bit = std::uint64_t{1} << (slot % 64);
    if (slot / 64 >= seen.size() || (seen[slot / 64] & bit) != 0) {
      ++unreadable;
      continue;
    }
    seen[slot / 64] |= bit;
    visit(key, depth);
    children.clear();
    unreadable += hive.Subkeys(key, children);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
      stack.emplace_back(*it, depth + 1);
  }
  return unreadable;
}

} // namespace tw::hive
