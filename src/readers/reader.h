#pragma once
// The reader contract. A reader is chosen by its catalog index alone and runs to completion on
// the user-interface thread. On entry the row buffer is empty and in insertion order and both
// scratch lists are empty. It writes only to these three lists, leaves only preview rows
// ("name=value") in the buffer, never sorts and never reports anything: a missing key or value
// gives fewer rows or empty values, and an error it raises ends the run.
//
// Readers add rows through the context (Add, Put, ListValueRows), naming each row's two cells
// and the key it was read from. The window's buffer keeps only the row text; the command line
// passes a RowBuffer, which also keeps the cells and the key, so that its data formats never
// split a row at its first "=" and can say where each row came from, and the times the row's
// trace carries, for the timeline. Times cost the window nothing: readers look up what only
// the timeline needs when the context keeps times.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry.h"
#include "runtime/strings.h"

namespace tw {

// The key a row was read from: a predefined root and a path below it; no root for a row that
// comes from no key (the machine's live figures).
struct RowKey {
  RegKey root = 0;
  std::string path;

  bool Empty() const { return root == 0; }
};

// A time a row's trace carries (a FILETIME, UTC) and what happened then ("Last Run", ...).
struct RowTime {
  std::uint64_t fileTime = 0;
  std::string_view kind;
};

// A row buffer that keeps, beside each row's text, its cells as the reader made them and the
// key it came from. Rows added as bare text (Add, Insert, Put of TStrings) have no cells of
// their own: HasCells is false for them.
class RowBuffer final : public TStrings {
public:
  struct Row {
    std::string text;
    std::string name;
    std::string value;
    RowKey key;
    bool hasCells = false;
    std::vector<RowTime> times;
    // When not empty, the row's key's last-write time dates the row (the most recent entry of
    // a most-recently-used list), as this kind of event.
    std::string_view keyTimeKind;
  };

  int Count() const override { return static_cast<int>(rows_.size()); }
  const std::string& Get(int index) const override;
  void Put(int index, std::string text) override;
  void Insert(int index, std::string text) override;
  void Delete(int index) override;
  void Clear() override { rows_.clear(); }

  void AddRow(std::string_view name, std::string_view value, RowKey key);
  void PutRow(int index, std::string_view name, std::string_view value, RowKey key);

  // Raise for an index outside the buffer.
  Row& RowAt(int index) { return At(index); }
  Row& Last() { return At(Count() - 1); }
  const std::vector<Row>& Rows() const { return rows_; }
  std::vector<Row> TakeRows() { return std::move(rows_); }

private:
  Row& At(int index);
  std::vector<Row> rows_;
};

enum class TimeKeeping { Dropped, Kept };

struct ReaderContext {
  TStrings& rows;        // the row buffer
  TStringList& scratch1; // subkey or value names of the key being walked
  TStringList& scratch2; // value names of one subkey (open/save history)

  // Appends the row "name=value" read from `key`.
  void Add(std::string_view name, std::string_view value, const RowKey& key = {});
  // Replaces row `index` by "name=value" read from `key`.
  void Put(int index, std::string_view name, std::string_view value, const RowKey& key = {});
  // Replaces the buffer by one row per value of the key, "name=text" (vlNameValue) or
  // "text=name" (vlValueName), with the same registry calls as ListValues.
  void ListValueRows(RegKey root, std::string_view keyPath, ValueLayout layout);
  // Replaces the buffer by "N=name" rows numbered from 1, one per value of the key; `nameOf`
  // may transform each name first.
  template <class NameOf>
  void ListNumberedValueRows(RegKey root, std::string_view keyPath, NameOf nameOf);

  // Whether rows keep their times: readers read what only times need when they do.
  TimeKeeping Times() const { return Details() ? TimeKeeping::Kept : TimeKeeping::Dropped; }
  // Gives the last row added a time its trace carries; 0 (no time) is left out.
  void AddTime(std::string_view kind, std::uint64_t fileTime);
  void AddTimeAt(int index, std::string_view kind, std::uint64_t fileTime);
  // The last row added is dated by its key's last-write time.
  void DateByKeyWrite(std::string_view kind);
  // The row of this key and name, added last, is dated by the key's last-write time: the most
  // recent entry of a list whose order the key keeps.
  void DateByKeyWrite(const RowKey& key, std::string_view name, std::string_view kind);

private:
  RowBuffer* Details() const { return dynamic_cast<RowBuffer*>(&rows); }
};

using ReaderFn = void (*)(ReaderContext&);

// The path of a subkey: "parent\name".
std::string SubKeyPath(std::string_view parent, std::string_view name);

template <class NameOf>
void ReaderContext::ListNumberedValueRows(RegKey root, std::string_view keyPath, NameOf nameOf) {
  ListValueNames(root, keyPath, rows);
  const RowKey key{root, std::string(keyPath)};
  for (int i = 0; i < rows.Count(); ++i)
    Put(i, std::to_string(i + 1), nameOf(rows[i]), key);
}

} // namespace tw
