#pragma once
// The command line's items, numbered: the first tab's 34 (0-33), the third tab's 15 (34-48)
// and its ShimCache and ShellBags (49-50), then the items of Amcache and SAM hives (51-53);
// and what every run over them shares: text for the data formats, key times.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "readers/catalog.h"
#include "readers/evidence_catalog.h"
#include "readers/modern_catalog.h"
#include "registry/registry_api.h"
#include "runtime/code_page.h"

namespace tw {

// Item 10 shows the machine's memory figures and clock, which no hive holds.
inline constexpr int kLiveFiguresItem = 10;
inline constexpr int kModernFirstItem = kCatalogSize;
inline constexpr int kEvidenceFirstItem = kCatalogSize + kModernCatalogSize;
inline constexpr int kItemCount = kEvidenceFirstItem + kEvidenceCatalogSize;
// The third tab's items: its 15, then the evidence items it shows.
inline constexpr int kModernTabEnd = kEvidenceFirstItem + kTabEvidenceItems;

const CatalogItem& ItemAt(int index);
// An index or a label as `list` prints them; raises UsageError for neither.
int ResolveItem(const std::string& text);

// One run's text converted for the data formats; UTF-8 text passes as it is.
class Utf8Text {
public:
  explicit Utf8Text(const CodePage& page) : page_(page) {}
  std::string operator()(std::string_view text) const;

private:
  const CodePage& page_;
};

// The last-write time of each key rows were read from, asked once per key.
class KeyTimes {
public:
  explicit KeyTimes(RegistryApi& registry) : registry_(registry) {}
  uint64_t Of(const RowKey& key);

private:
  RegistryApi& registry_;
  std::map<std::pair<RegKey, std::string>, uint64_t> times_;
};

} // namespace tw
