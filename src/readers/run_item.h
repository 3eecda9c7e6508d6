#pragma once
// One catalog item run without the window, as the window's dispatcher runs it: the reader
// fills an empty buffer, and the rows of an item shown sorted are then put in the order the
// window's sorted list gives them (the platform's list comparison, through the seam). The
// rows keep their cells and keys.

#include <vector>

#include "readers/catalog.h"
#include "readers/reader.h"

namespace tw {

// Raises whatever the reader raises.
std::vector<RowBuffer::Row> RunCatalogItem(const CatalogItem& item);
// The rows in the order the reader made them (for those who sort them otherwise).
std::vector<RowBuffer::Row> RunReader(const CatalogItem& item);

// Re-adds each row in order at the place the window's sorted list would insert it.
void SortRowsLikeList(std::vector<RowBuffer::Row>& rows);

} // namespace tw
