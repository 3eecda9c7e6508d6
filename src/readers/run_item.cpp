#include "readers/run_item.h"

namespace tw {

void SortRowsLikeList(std::vector<RowBuffer::Row>& rows) {
  std::vector<RowBuffer::Row> sorted;
  sorted.reserve(rows.size());
  for (RowBuffer::Row& row : rows) {
    const int at =
        SortedPosition(static_cast<int>(sorted.size()), row.text, [&](int i) -> std::string_view {
          return sorted[static_cast<size_t>(i)].text;
        });
    sorted.insert(sorted.begin() + at, std::move(row));
  }
  rows = std::move(sorted);
}

std::vector<RowBuffer::Row> RunCatalogItem(const CatalogItem& item) {
  RowBuffer buffer;
  TStringList scratch1;
  TStringList scratch2;
  ReaderContext ctx{buffer, scratch1, scratch2};
  item.reader(ctx);
  std::vector<RowBuffer::Row> rows = buffer.TakeRows();
  if (item.order == RowOrder::Sorted)
    SortRowsLikeList(rows);
  return rows;
}

} // namespace tw
