#include "app/catalog.h"

#include "readers/history.h"

namespace tw {

const std::array<CatalogItem, kCatalogSize>& Catalog() {
  using enum RowOrder;
  static const std::array<CatalogItem, kCatalogSize> catalog = {{
      {"[C] Regedit Favorites & Last Key (CU)", ReadRegeditFavorites, Sorted},
      {"[H] CDialog - Open Save MRU (CU)", ReadOpenSaveMru, Sorted},
      {"[H] MMC Recent File List (CU)", ReadMmcRecentFiles, Sorted},
      {"[H] MUI Cache (CU)", ReadMuiCache, Sorted},
      {"[H] Network (CU)", ReadNetworkRecent, Sorted},
      {"[H] Run MRU (CU)", ReadRunMru, Sorted},
      {"[H] Typed URLs (CU)", ReadTypedUrls, Sorted},
      {"[H] User Assist - {0D6D4F41-2994-4BA0-8FEF-620E43CD2812}  (CU)", nullptr, ReaderOrder},
      {"[H] User Assist - {5E6AB780-7743-11CF-A12B-00AA004AE837} (CU)", nullptr, ReaderOrder},
      {"[H] User Assist - {75048700-EF1F-11D0-9888-006097DEACF9} (CU)", nullptr, ReaderOrder},
      {"[I] Memory Information (CU)", nullptr, ReaderOrder},
      {"[I] Time Zone Information (LM)", nullptr, Sorted},
      {"[O] App Compatibility (CU)", nullptr, Sorted},
      {"[O] App Paths (LM)", nullptr, Sorted},
      {"[O] CDialog - Placesbar (CU)", nullptr, Sorted},
      {"[O] Cursor Schemes (LM)", nullptr, Sorted},
      {"[O] Firewall - DomainProfile (LM)", nullptr, Sorted},
      {"[O] Firewall - StandardProfile (LM)", nullptr, Sorted},
      {"[O] Fonts (LM)", nullptr, Sorted},
      {"[O] Help (LM)", nullptr, Sorted},
      {"[O] HTML Help (LM)", nullptr, Sorted},
      {"[O] Image File Execution (LM)", nullptr, Sorted},
      {"[O] Installed Software (LM)", nullptr, Sorted},
      {"[O] Installer Folder (LM)", nullptr, ReaderOrder},
      {"[O] Shared DLLs (LM)", nullptr, ReaderOrder},
      {"[O] Shell Folders (CU)", nullptr, Sorted},
      {"[O] Shell Folders (LM)", nullptr, Sorted},
      {"[O] Startup - Services (Path) (LM)", nullptr, Sorted},
      {"[O] Startup - Services (Status) (LM)", nullptr, Sorted},
      {"[O] Startup (CU)", nullptr, Sorted},
      {"[O] Startup (LM)", nullptr, Sorted},
      {"[S] Cursor (CU)", nullptr, ReaderOrder},
      {"[S] Desktop (CU)", nullptr, Sorted},
      {"[S] Sound (CU)", nullptr, ReaderOrder},
  }};
  return catalog;
}

RowOrder RowOrderOf(int index) {
  if (index < 0 || index >= kCatalogSize)
    return RowOrder::Sorted;
  return Catalog()[static_cast<size_t>(index)].order;
}

} // namespace tw
