#pragma once
// Key and value records left in free cells: what a deleted key or value leaves behind until
// its cell is used again. Only records that still parse are listed (signature, sizes within the
// cell, a name of plausible characters).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hive/hive.h"

namespace tw::hive {

struct DeletedKey {
  CellRef cell = kNoCell;
  std::u16string name;
  std::uint64_t lastWrite = 0; // FILETIME, UTC
  CellRef parent = kNoCell;
  // The parent's path from the root when the parent is still a key of the hive (or a deleted
  // key whose own parent resolves); none otherwise.
  std::optional<std::u16string> parentPath;
  std::uint32_t subkeyCount = 0;
  std::uint32_t valueCount = 0;
};

enum class DeletedData {
  Whole,       // inline, or every data cell is still free and of the recorded size
  Overwritten, // a data cell is in use again or too small: the bytes are not the value's
  None,        // the value had no data
};

struct DeletedValue {
  CellRef cell = kNoCell;
  std::u16string name; // empty: a default value
  std::uint32_t type = 0;
  std::uint32_t dataSize = 0;
  std::vector<std::uint8_t> data; // only when `dataState` is Whole
  DeletedData dataState = DeletedData::None;
  // The key whose value list (its own, still in use, or a deleted one) still names this
  // value, with its path where it resolves.
  CellRef owner = kNoCell;
  std::optional<std::u16string> ownerPath;
};

struct DeletedEntries {
  std::vector<DeletedKey> keys;     // in file order
  std::vector<DeletedValue> values; // in file order
};

DeletedEntries FindDeleted(const Hive& hive);

} // namespace tw::hive
