#pragma once
// A large synthetic registry for the catalog's figures: 2,000 services, 1,000 uninstall
// entries, 140 time zones, 1,000 fonts, 500 shared libraries and the keys of every other
// catalog item at sizes a long-used machine reaches; and the traces Windows 7 to 11 keep, in
// their binary layouts (UserAssist records, shell item ID lists, activity stamps, devices,
// networks, the 32-bit view). Written through the registry seam, so the same data goes into
// the portable store and into the platform's registry.

#include "registry/registry_api.h"

namespace tw::bench {

struct SyntheticStats {
  int keys = 0;
  int values = 0;
};

SyntheticStats FillSyntheticRegistry(RegistryApi& store);

} // namespace tw::bench
