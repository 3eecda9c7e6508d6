#include "readers/reader.h"

#include "runtime/exceptions.h"

namespace tw {
namespace {

std::string RowText(std::string_view name, std::string_view value) {
  std::string text;
  text.reserve(name.size() + 1 + value.size());
  text.append(name).append("=").append(value);
  return text;
}

} // namespace

RowBuffer::Row& RowBuffer::At(int index) {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  return rows_[static_cast<size_t>(index)];
}

const std::string& RowBuffer::Get(int index) const {
  return const_cast<RowBuffer*>(this)->At(index).text;
}

void RowBuffer::Put(int index, std::string text) {
  Row& row = At(index);
  row.text = std::move(text);
  row.hasCells = false;
}

void RowBuffer::Insert(int index, std::string text) {
  if (index < 0 || index > Count())
    ThrowListIndexError(index);
  rows_.insert(rows_.begin() + index, Row{std::move(text), {}, {}, {}, false});
}

void RowBuffer::Delete(int index) {
  At(index);
  rows_.erase(rows_.begin() + index);
}

void RowBuffer::AddRow(std::string_view name, std::string_view value, RowKey key) {
  rows_.push_back(
      Row{RowText(name, value), std::string(name), std::string(value), std::move(key), true});
}

void RowBuffer::PutRow(int index, std::string_view name, std::string_view value, RowKey key) {
  At(index) =
      Row{RowText(name, value), std::string(name), std::string(value), std::move(key), true};
}

void ReaderContext::Add(std::string_view name, std::string_view value, const RowKey& key) {
  if (RowBuffer* details = Details())
    details->AddRow(name, value, key);
  else
    rows.Add(RowText(name, value));
}

void ReaderContext::Put(int index, std::string_view name, std::string_view value,
                        const RowKey& key) {
  if (RowBuffer* details = Details())
    details->PutRow(index, name, value, key);
  else
    rows.Put(index, RowText(name, value));
}

void ReaderContext::ListValueRows(RegKey root, std::string_view keyPath, ValueLayout layout) {
  ListValueNames(root, keyPath, rows);
  const RowKey key{root, std::string(keyPath)};
  for (int i = 0; i < rows.Count(); ++i) {
    const std::string name = rows[i];
    const std::string text = ReadRegString(root, keyPath, name);
    if (layout == vlNameValue)
      Put(i, name, text, key);
    else
      Put(i, text, name, key);
  }
}

std::string SubKeyPath(std::string_view parent, std::string_view name) {
  std::string path(parent);
  return path.append("\\").append(name);
}

} // namespace tw
