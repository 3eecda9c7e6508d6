#pragma once
// The artifact catalog: 34 fixed items, identified by their index alone. The labels are in the
// order of the platform's case-insensitive list comparison, which is the order the sorted
// catalog list shows; index and reader are bound by that position.

#include <array>
#include <string_view>

#include "readers/reader.h"

namespace tw {

enum class RowOrder { Sorted, ReaderOrder };

struct CatalogItem {
  std::string_view label;
  ReaderFn reader;
  RowOrder order;
};

inline constexpr int kCatalogSize = 34;

const std::array<CatalogItem, kCatalogSize>& Catalog();

// Row order of a run for a selection index; -1 (no selection) is sorted.
RowOrder RowOrderOf(int index);

// The UserAssist item whose values carry the "UEME_RUNPATH:" prefix; its report links drop it.
inline constexpr int kRunPathItem = 9;

// Whether a catalog label names an item of the current user's hive: it carries "(CU)"
// (case-sensitive, anywhere). The guest batch takes these.
bool IsCurrentUserItem(std::string_view label);

} // namespace tw
