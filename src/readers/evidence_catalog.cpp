#include "readers/evidence_catalog.h"

#include "readers/accounts.h"
#include "readers/execution.h"
#include "readers/shellbags.h"

namespace tw {

const std::array<CatalogItem, kEvidenceCatalogSize>& EvidenceCatalog() {
  using enum RowOrder;
  static const std::array<CatalogItem, kEvidenceCatalogSize> catalog = {{
      // The cache's order is its recency.
      {"[H] ShimCache - AppCompatCache (LM)", ReadShimCache, ReaderOrder},
      {"[H] ShellBags (CU)", ReadShellBags, Sorted},
      {"[H] Amcache - Files", ReadAmcacheFiles, Sorted},
      {"[H] Amcache - Programs", ReadAmcachePrograms, Sorted},
      // Each user's fields together, users in RID order.
      {"[I] SAM Accounts (LM)", ReadSamAccounts, ReaderOrder},
  }};
  return catalog;
}

} // namespace tw
