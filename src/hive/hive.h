#pragma once
// A registry hive file read from memory, read-only: key nodes, their subkey lists (li, lf, lh,
// ri), value lists, values with their data (inline, one cell, or big-data segments) and class
// names. Every offset, size and count is checked against the image before it is followed; a
// cell that does not hold what it should makes that key or value unreadable, never the process.
// Security cells are not read.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "hive/base_block.h"

namespace tw::hive {

// The reason a file cannot be read as a hive, e.g. "not a hive (no registry hive signature)".
class HiveError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A key or value name as stored: Latin-1 ("compressed", one byte a character) or UTF-16LE.
// Points into the hive's image; valid as long as the hive.
struct NameRef {
  const std::uint8_t* bytes = nullptr;
  std::uint16_t size = 0; // in bytes
  bool compressed = false;

  bool Empty() const { return size == 0; }
  std::size_t Length() const { return compressed ? size : size / 2; }
  char16_t At(std::size_t i) const {
    return compressed ? char16_t{bytes[i]}
                      : static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  std::u16string ToUtf16() const;
};

// Key node flags.
inline constexpr std::uint16_t kKeyVolatile = 0x0001;
inline constexpr std::uint16_t kKeyHiveExit = 0x0002;
inline constexpr std::uint16_t kKeyHiveEntry = 0x0004;
inline constexpr std::uint16_t kKeyNoDelete = 0x0008;
inline constexpr std::uint16_t kKeySymLink = 0x0010;
inline constexpr std::uint16_t kKeyCompressedName = 0x0020;

struct KeyNode {
  CellRef cell = kNoCell;
  NameRef name;
  std::uint16_t flags = 0;
  std::uint64_t lastWrite = 0; // FILETIME, UTC
  CellRef parent = kNoCell;
  std::uint32_t subkeyCount = 0; // stable subkeys (volatile ones are never on disk)
  CellRef subkeyList = kNoCell;
  std::uint32_t valueCount = 0;
  CellRef valueList = kNoCell;
  CellRef security = kNoCell;
  CellRef classCell = kNoCell;
  std::uint16_t classSize = 0; // in bytes
};

struct ValueRecord {
  CellRef cell = kNoCell;
  NameRef name; // empty: the key's default value
  std::uint32_t type = 0;
  std::uint32_t dataSize = 0;  // in bytes, the inline marker cleared
  std::uint32_t dataField = 0; // the data cell, or the data itself when inline
  bool inlineData = false;     // up to four bytes kept in dataField
  std::uint16_t flags = 0;
};

// A cell: its payload after the size field, and whether it is in use.
struct CellView {
  std::span<const std::uint8_t> data;
  bool allocated = false;
};

class Hive {
public:
  // Takes the bytes of a whole hive file (after any recovery from its logs). Raises HiveError
  // when they are not a hive, or when no hive bin or the root key cannot be read. A base block
  // whose checksum does not match is accepted (Base().checksumValid says so).
  explicit Hive(std::vector<std::uint8_t> image);
  // The same over bytes kept elsewhere (a read-only mapping of the file): `keeper` keeps them
  // alive as long as the hive.
  Hive(std::span<const std::uint8_t> image, std::shared_ptr<const void> keeper);
  // Moving keeps the bytes where they are; a copy would point into the original's.
  Hive(Hive&&) = default;
  Hive& operator=(Hive&&) = default;
  Hive(const Hive&) = delete;
  Hive& operator=(const Hive&) = delete;

  const BaseBlock& Base() const { return base_; }
  std::span<const std::uint8_t> Image() const { return image_; }
  CellRef Root() const { return base_.rootCell; }
  // The end of the hive bins data that holds sound bins, from the start of the bins data.
  std::uint32_t BinsEnd() const { return binsEnd_; }

  // The key node in the cell; none when the cell is out of range, free, or no sound "nk".
  std::optional<KeyNode> Key(CellRef cell) const;
  // The value record in the cell; none when the cell is out of range, free, or no sound "vk".
  std::optional<ValueRecord> Value(CellRef cell) const;

  // Appends the key's subkeys in the hive's order (the index's: names sorted without regard to
  // case). Returns how many of its subkeys could not be read: entries naming no sound key node,
  // lists or parts of lists that cannot be read (counted against the key's subkey count).
  std::uint32_t Subkeys(const KeyNode& key, std::vector<KeyNode>& out) const;
  // Appends the key's values in the hive's order; returns how many could not be read.
  std::uint32_t Values(const KeyNode& key, std::vector<ValueRecord>& out) const;

  // The data in one piece where it is stored so (inline, or one data cell); none where it is
  // split into big-data segments or cannot be read: then Data tells.
  std::optional<std::span<const std::uint8_t>> DataSpan(const ValueRecord& value) const;
  // Replaces `out` by the value's data; false, with `out` empty, when it cannot be read whole.
  bool Data(const ValueRecord& value, std::vector<std::uint8_t>& out) const;

  // The key's class name; none when it has none or it cannot be read.
  std::optional<std::u16string> ClassName(const KeyNode& key) const;

  // The cell at `cell`, allocated or free; none when out of range or its size is impossible.
  std::optional<CellView> Cell(CellRef cell) const;
  // Calls visit(cell, view) for every cell of every sound bin in file order (the deleted-entry
  // scan); stops early when visit returns false.
  template <class Visit>
  void ForEachCell(Visit visit) const;

  // The key's path from the root key, names joined with "\" (the root itself ""); none when a
  // parent cannot be read or the chain of parents loops.
  std::optional<std::u16string> PathOf(CellRef key) const;

private:
  // The bins that were found sound, in order: [start, end) from the start of the bins data.
  struct Bin {
    std::uint32_t start;
    std::uint32_t end;
  };
  const Bin* BinOf(CellRef cell) const;
  // A hint that the cell is read soon (records of a list lie anywhere in the image).
  void Prefetch(CellRef cell) const;
  // Where a value's data lies: in one piece, or behind a big-data record; neither when it
  // cannot be read.
  struct DataPlace {
    std::optional<std::span<const std::uint8_t>> whole;
    std::span<const std::uint8_t> bigData;
  };
  DataPlace Place(const ValueRecord& value) const;

  void Open();

  std::vector<std::uint8_t> owned_;
  std::shared_ptr<const void> keeper_;
  std::span<const std::uint8_t> image_;
  BaseBlock base_;
  std::vector<Bin> bins_;
  // For each 4,096-byte page of the bins data, its bin: a cell's bin without a search.
  std::vector<Bin> binOfPage_;
  std::uint32_t binsEnd_ = 0;
};

// Depth-first walk of the key tree from `start` in the hive's order: visit(key, depth) for
// each key, parents before their subkeys. A key met a second time (a loop in the tree, or a
// subtree named twice) is not entered again; it counts as unreadable. Returns the number of
// keys that could not be read on the way (as Subkeys counts them, plus those loops).
template <class Visit>
std::uint32_t Walk(const Hive& hive, const KeyNode& start, Visit visit);

} // namespace tw::hive

#include "hive/hive_inline.h"
