#include "readers/catalog.h"

#include "readers/appearance.h"
#include "readers/history.h"
#include "readers/software.h"
#include "readers/startup.h"
#include "readers/sysinfo.h"
#include "readers/userassist.h"

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
      {"[H] User Assist - {0D6D4F41-2994-4BA0-8FEF-620E43CD2812}  (CU)", ReadUserAssist0D6D4F41,
       ReaderOrder},
      {"[H] User Assist - {5E6AB780-7743-11CF-A12B-00AA004AE837} (CU)", ReadUserAssist5E6AB780,
       ReaderOrder},
      {"[H] User Assist - {75048700-EF1F-11D0-9888-006097DEACF9} (CU)", ReadUserAssist75048700,
       ReaderOrder},
      {"[I] Memory Information (CU)", ReadMemoryInformation, ReaderOrder},
      {"[I] Time Zone Information (LM)", ReadTimeZones, Sorted},
      {"[O] App Compatibility (CU)", ReadAppCompatibility, Sorted},
      {"[O] App Paths (LM)", ReadAppPaths, Sorted},
      {"[O] CDialog - Placesbar (CU)", ReadPlacesBar, Sorted},
      {"[O] Cursor Schemes (LM)", ReadCursorSchemes, Sorted},
      {"[O] Firewall - DomainProfile (LM)", ReadFirewallDomainProfile, Sorted},
      {"[O] Firewall - StandardProfile (LM)", ReadFirewallStandardProfile, Sorted},
      {"[O] Fonts (LM)", ReadFonts, Sorted},
      {"[O] Help (LM)", ReadHelpFiles, Sorted},
      {"[O] HTML Help (LM)", ReadHtmlHelpFiles, Sorted},
      {"[O] Image File Execution (LM)", ReadImageFileExecution, Sorted},
      {"[O] Installed Software (LM)", ReadInstalledSoftware, Sorted},
      {"[O] Installer Folder (LM)", ReadInstallerFolders, ReaderOrder},
      {"[O] Shared DLLs (LM)", ReadSharedDlls, ReaderOrder},
      {"[O] Shell Folders (CU)", ReadUserShellFolders, Sorted},
      {"[O] Shell Folders (LM)", ReadMachineShellFolders, Sorted},
      {"[O] Startup - Services (Path) (LM)", ReadServicePaths, Sorted},
      {"[O] Startup - Services (Status) (LM)", ReadServiceStatus, Sorted},
      {"[O] Startup (CU)", ReadUserStartup, Sorted},
      {"[O] Startup (LM)", ReadMachineStartup, Sorted},
      {"[S] Cursor (CU)", ReadCursors, ReaderOrder},
      {"[S] Desktop (CU)", ReadDesktop, Sorted},
      {"[S] Sound (CU)", ReadSounds, ReaderOrder},
  }};
  return catalog;
}

bool IsCurrentUserItem(std::string_view label) {
  return label.find("(CU)") != std::string_view::npos;
}

RowOrder RowOrderOf(int index) {
  if (index < 0 || index >= kCatalogSize)
    return RowOrder::Sorted;
  return Catalog()[static_cast<size_t>(index)].order;
}

} // namespace tw
