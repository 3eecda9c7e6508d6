#include "readers/modern_catalog.h"

#include <algorithm>

#include "readers/evidence_catalog.h"
#include "readers/modern.h"

namespace tw {

const std::array<CatalogItem, kModernCatalogSize>& ModernCatalog() {
  using enum RowOrder;
  static const std::array<CatalogItem, kModernCatalogSize> catalog = {{
      {"[H] BAM & DAM Last Execution (LM)", ReadBamDam, Sorted},
      {"[H] CDialog - Last Visited PIDL MRU (CU)", ReadLastVisitedPidlMru, ReaderOrder},
      {"[H] CDialog - Open Save PIDL MRU (CU)", ReadOpenSavePidlMru, ReaderOrder},
      {"[H] Map Network Drive MRU (CU)", ReadMapNetworkDriveMru, Sorted},
      {"[H] MUI Cache - Classes (CU)", ReadClassesMuiCache, Sorted},
      {"[H] Network List Profiles (LM)", ReadNetworkListProfiles, Sorted},
      {"[H] Recent Docs (CU)", ReadRecentDocs, ReaderOrder},
      {"[H] Terminal Server Client (CU)", ReadTerminalServerClient, Sorted},
      {"[H] Typed Paths (CU)", ReadTypedPaths, Sorted},
      {"[H] User Assist - {CEBFF5CD-ACE2-4F4F-9178-9926F41749EA} (CU)", ReadUserAssistCEBFF5CD,
       ReaderOrder},
      {"[H] User Assist - {F4E57C4B-2036-45F0-A9AB-443BCFE33D9F} (CU)", ReadUserAssistF4E57C4B,
       ReaderOrder},
      {"[H] Word Wheel Query (CU)", ReadWordWheelQuery, ReaderOrder},
      {"[O] Installed Software - 32-bit (LM)", ReadWow64InstalledSoftware, Sorted},
      {"[O] Startup - 32-bit (LM)", ReadWow64Startup, Sorted},
      {"[O] USB Storage Devices (LM)", ReadUsbStorage, Sorted},
  }};
  return catalog;
}

const std::array<CatalogItem, kModernTabSize>& ModernTabCatalog() {
  static_assert(kModernTabSize == kModernCatalogSize + kTabEvidenceItems);
  static const std::array<CatalogItem, kModernTabSize> catalog = [] {
    std::array<CatalogItem, kModernTabSize> items{};
    std::copy(ModernCatalog().begin(), ModernCatalog().end(), items.begin());
    std::copy_n(EvidenceCatalog().begin(), kTabEvidenceItems, items.begin() + kModernCatalogSize);
    return items;
  }();
  return catalog;
}

RowOrder ModernRowOrderOf(int index) {
  if (index < 0 || index >= kModernCatalogSize)
    return RowOrder::Sorted;
  return ModernCatalog()[static_cast<size_t>(index)].order;
}

} // namespace tw
