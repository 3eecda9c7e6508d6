#pragma once
// String lists of the runtime. TStrings is the interface that listing functions fill and that
// list boxes expose as their items; TStringList is the plain in-memory list.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/collation.h"

namespace tw {

class TStrings {
public:
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  // Index errors raise EStringListError "List index out of bounds (%d)".
  virtual const std::string& Get(int index) const = 0;
  virtual void Put(int index, std::string text) = 0;
  virtual void Insert(int index, std::string text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  // Appends (or, in a sorted list, inserts in order) and returns the new entry's index.
  virtual int Add(std::string text);
  // Changes between BeginUpdate and the matching EndUpdate reach a list's view once, at the end:
  // a list shown in a window is then filled in one pass, not once for every entry.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

  const std::string& operator[](int index) const { return Get(index); }
  // First entry equal to text under the case-insensitive comparison, or -1.
  int IndexOf(std::string_view text) const;
  void Assign(const TStrings& source);
  void Assign(const std::vector<std::string>& source);
  std::vector<std::string> ToVector() const;
};

class TStringList : public TStrings {
public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> items) : items_(items) {}

  int Count() const override { return static_cast<int>(items_.size()); }
  const std::string& Get(int index) const override;
  void Put(int index, std::string text) override;
  void Insert(int index, std::string text) override;
  void Delete(int index) override;
  void Clear() override { items_.clear(); }

  const std::vector<std::string>& Items() const { return items_; }

private:
  std::vector<std::string> items_;
};

// Where a sorted list puts `text`: a binary search under the list comparison (CompareText)
// that stops at the first equal entry it meets, as the platform's sorted list box does.
// `textAt(i)` gives the text of entry i of `count`.
template <class TextAt>
int SortedPosition(int count, std::string_view text, TextAt textAt);

// BeginUpdate and EndUpdate around a scope.
class ScopedUpdate {
public:
  explicit ScopedUpdate(TStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
  ~ScopedUpdate() { strings_.EndUpdate(); }
  ScopedUpdate(const ScopedUpdate&) = delete;
  ScopedUpdate& operator=(const ScopedUpdate&) = delete;

private:
  TStrings& strings_;
};

// A preview row split at its first "=": the key cell before it, the value cell after it.
// A line without "=" has an empty key cell and the whole line as its value cell.
std::pair<std::string_view, std::string_view> SplitRow(std::string_view row);

template <class TextAt>
int SortedPosition(int count, std::string_view text, TextAt textAt) {
  int min = 0;
  int max = count - 1;
  while (min <= max) {
    const int index = (min + max) / 2;
    const int order = CompareText(textAt(index), text);
    if (order == 0)
      return index;
    if (order > 0)
      max = index - 1;
    else
      min = index + 1;
  }
  return min;
}

} // namespace tw
