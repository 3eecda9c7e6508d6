#include "readers/run_item.h"

namespace tw {

void SortRowsLikeList(std::vector<RowBuffer::Row>& rows) {
  // The places are found among indexes, so that each insertion moves integers, not rows.
  std::vector<std::size_t> order;
  order.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int at = SortedPosition(
        static_cast<int>(order.size()), rows[i].text,
        [&](int k) -> std::string_view { return rows[order[static_cast<std::size_t>(k)]].text; });
    order.insert(order.begin() + at, i);
  }
  std::vector<RowBuffer::Row> sorted;
  sorted.reserve(rows.size());
  for (const std::size_t i : order)
    sorted.push_back(std::move(rows[i]));
  rows = std::move(sorted);
}

std::vector<RowBuffer::Row> RunReader(const CatalogItem& item) {
  RowBuffer buffer;
  TStringList scratch1;
  TStringList scratch2;
  ReaderContext ctx{buffer, scratch1, scratch2};
  item.reader(ctx);
  return buffer.TakeRows();
}

std::vector<RowBuffer::Row> RunCatalogItem(const CatalogItem& item) {
  std::vector<RowBuffer::Row> rows = RunReader(item);
  if (item.order == RowOrder::Sorted)
    SortRowsLikeList(rows);
  return rows;
}

} // namespace tw
