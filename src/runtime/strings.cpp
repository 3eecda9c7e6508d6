#include "runtime/strings.h"

#include "runtime/collation.h"
#include "runtime/exceptions.h"

namespace tw {

int TStrings::Add(std::string text) {
  const int index = Count();
  Insert(index, std::move(text));
  return index;
}

int TStrings::IndexOf(std::string_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareText(Get(i), text) == 0)
      return i;
  return -1;
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this)
    return;
  Assign(source.ToVector());
}

void TStrings::Assign(const std::vector<std::string>& source) {
  Clear();
  for (const std::string& s : source)
    Add(s);
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i)
    out.push_back(Get(i));
  return out;
}

const std::string& TStringList::Get(int index) const {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  return items_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, std::string text) {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  items_[static_cast<size_t>(index)] = std::move(text);
}

void TStringList::Insert(int index, std::string text) {
  if (index < 0 || index > Count())
    ThrowListIndexError(index);
  items_.insert(items_.begin() + index, std::move(text));
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  items_.erase(items_.begin() + index);
}

std::pair<std::string_view, std::string_view> SplitRow(std::string_view row) {
  const size_t eq = row.find('=');
  if (eq == std::string_view::npos)
    return {std::string_view(), row};
  return {row.substr(0, eq), row.substr(eq + 1)};
}

} // namespace tw
