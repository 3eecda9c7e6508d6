#pragma once
// The catalog of the third tab: the traces Windows 7 to 11 keep. Like the first tab's, its
// labels stand in the order of the platform's case-insensitive list comparison, index and
// reader bound by that position; lists kept in most-recent-first order keep reader order.

#include <array>

#include "readers/catalog.h"

namespace tw {

inline constexpr int kModernCatalogSize = 15;

const std::array<CatalogItem, kModernCatalogSize>& ModernCatalog();

// The third tab's list: the 15, then ShimCache and ShellBags (evidence_catalog.h).
inline constexpr int kModernTabSize = 17;
const std::array<CatalogItem, kModernTabSize>& ModernTabCatalog();

// Row order of a run for a selection index; -1 (no selection) is sorted.
RowOrder ModernRowOrderOf(int index);

} // namespace tw
