#pragma once
// The evidence items after the two tabs' catalogs: ShimCache and ShellBags, which the third tab
// lists after its 15 items and which read the live registry like them, then the items of hive
// kinds only evidence files give (Amcache, SAM). The command line numbers them after the 49.

#include <array>

#include "readers/catalog.h"

namespace tw {

inline constexpr int kEvidenceCatalogSize = 5;
// The first items of the evidence catalog are on the third tab.
inline constexpr int kTabEvidenceItems = 2;

const std::array<CatalogItem, kEvidenceCatalogSize>& EvidenceCatalog();

} // namespace tw
