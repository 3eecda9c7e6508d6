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
  Row row;
  row.text = std::move(text);
  rows_.insert(rows_.begin() + index, std::move(row));
}

void RowBuffer::Delete(int index) {
  At(index);
  rows_.erase(rows_.begin() + index);
}

void RowBuffer::AddRow(std::string_view name, std::string_view value, RowKey key) {
  rows_.push_back(Row{
      RowText(name, value), std::string(name), std::string(value), std::move(key), true, {}, {}});
}

void RowBuffer::PutRow(int index, std::string_view name, std::string_view value, RowKey key) {
  At(index) = Row{
      RowText(name, value), std::string(name), std::string(value), std::move(key), true, {}, {}};
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

void ReaderContext::AddTime(std::string_view kind, std::uint64_t fileTime) {
  if (RowBuffer* details = Details(); details != nullptr && details->Count() > 0)
    AddTimeAt(details->Count() - 1, kind, fileTime);
}

void ReaderContext::AddTimeAt(int index, std::string_view kind, std::uint64_t fileTime) {
  RowBuffer* details = Details();
  if (details != nullptr && fileTime != 0)
    details->RowAt(index).times.push_back(RowTime{fileTime, kind});
}

void ReaderContext::DateByKeyWrite(std::string_view kind) {
  if (RowBuffer* details = Details())
    details->Last().keyTimeKind = kind;
}

void ReaderContext::DateByKeyWrite(const RowKey& key, std::string_view name,
                                   std::string_view kind) {
  RowBuffer* details = Details();
  if (details == nullptr)
    return;
  for (int i = details->Count() - 1; i >= 0; --i) {
    const RowBuffer::Row& row = details->Rows()[static_cast<size_t>(i)];
    if (row.hasCells && row.name == name && row.key.root == key.root && row.key.path == key.path) {
      details->RowAt(i).keyTimeKind = kind;
      return;
    }
  }
}

std::string SubKeyPath(std::string_view parent, std::string_view name) {
  std::string path(parent);
  return path.append("\\").append(name);
}

} // namespace tw
