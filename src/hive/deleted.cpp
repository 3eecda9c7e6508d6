#include "hive/deleted.h"

#include <algorithm>

#include "hive/records.h"
#include "runtime/little_endian.h"

namespace tw::hive {
namespace {

// 1 January 1990 and 1 January 2100 as FILETIMEs: a key written outside them is no key.
constexpr std::uint64_t kEarliestWrite = 122756256000000000ULL;
constexpr std::uint64_t kLatestWrite = 157469184000000000ULL;

enum class NameKind { Key, Value };

bool PlausibleName(const NameRef& name, NameKind kind) {
  if (!name.compressed && name.size % 2 != 0)
    return false;
  for (std::size_t i = 0; i < name.Length(); ++i) {
    const char16_t c = name.At(i);
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (kind == NameKind::Key && c == u'\\'))
      return false;
  }
  return true;
}

// Windows stamps every key it writes; offline editors (hivex among them) leave zero.
bool PlausibleWrite(std::uint64_t filetime) {
  return filetime == 0 || (filetime >= kEarliestWrite && filetime < kLatestWrite);
}

// Registry types are small numbers, or the device-property types SYSTEM hives store at the top
// of the range.
bool PlausibleType(std::uint32_t type) {
  return type <= 0xFFFF || type >= 0xFFFF0000;
}

std::size_t RoundUp8(std::size_t n) {
  return (n + 7) / 8 * 8;
}

std::u16string Joined(const std::u16string& path, const std::u16string& name) {
  return path.empty() ? name : path + u'\\' + name;
}

// The free cells of the hive as ranges of cell offsets, in file order.
class FreeSpace {
public:
  explicit FreeSpace(const Hive& hive) : hive_(hive) {}

  void Add(CellRef start, std::uint32_t size) { ranges_.push_back({start, start + size}); }

  // The `size` bytes after the 4-byte size field at `cell`, when they lie wholly in one free
  // cell and that size field (as the cell left it) still covers them.
  std::optional<std::span<const std::uint8_t>> Bytes(CellRef cell, std::size_t size) const {
    auto it = std::upper_bound(ranges_.begin(), ranges_.end(), cell,
                               [](CellRef c, const Range& r) { return c < r.start; });
    if (it == ranges_.begin())
      return std::nullopt;
    --it;
    if (std::uint64_t{cell} + 4 + size > it->end)
      return std::nullopt;
    const std::uint8_t* p = hive_.Image().data() + kBaseBlockSize + cell;
    const auto raw = static_cast<std::int32_t>(le::Load32(p));
    const std::uint32_t stored =
        raw < 0 ? 0u - static_cast<std::uint32_t>(raw) : static_cast<std::uint32_t>(raw);
    if (stored < size + 4)
      return std::nullopt;
    return std::span<const std::uint8_t>(p + 4, size);
  }

  template <class Visit>
  void ForEachStart(Visit visit) const {
    for (const Range& r : ranges_)
      visit(r.start, r.end);
  }

private:
  struct Range {
    CellRef start;
    std::uint64_t end;
  };
  const Hive& hive_;
  std::vector<Range> ranges_;
};

class DeletedScan {
public:
  explicit DeletedScan(const Hive& hive) : hive_(hive), free_(hive) {}

  DeletedEntries Run() {
    hive_.ForEachCell([&](CellRef at, const CellView& view) {
      if (view.allocated) {
        if (HasSignature(view.data, 'n', 'k'))
          if (const auto key = hive_.Key(at))
            liveKeys_.push_back(*key);
      } else {
        free_.Add(at, static_cast<std::uint32_t>(view.data.size() + 4));
        ScanFree(at, view.data);
      }
      return true;
    });
    for (std::size_t i = 0; i < keyNodes_.size(); ++i)
      out_.keys[i].parentPath = PathOf(keyNodes_[i].parent);
    for (std::size_t i = 0; i < valueRecords_.size(); ++i)
      ReadData(valueRecords_[i], out_.values[i]);
    FindOwners();
    return std::move(out_);
  }

private:
  // Records at every 8-byte step of a free cell: the cell's own, and those of cells that were
  // merged into it.
  void ScanFree(CellRef at, std::span<const std::uint8_t> data) {
    std::size_t offset = 0;
    while (offset + 2 <= data.size()) {
      const auto rest = data.subspan(offset);
      const CellRef cell = at + static_cast<CellRef>(offset);
      std::size_t used = 0;
      if (HasSignature(rest, 'n', 'k'))
        used = TakeKey(cell, rest);
      else if (HasSignature(rest, 'v', 'k'))
        used = TakeValue(cell, rest);
      // A later record's cell begins after this one's record ends.
      offset = used == 0 ? offset + 8 : RoundUp8(offset + 4 + used);
    }
  }

  std::size_t TakeKey(CellRef cell, std::span<const std::uint8_t> bytes) {
    const auto key = ParseKeyNode(cell, bytes);
    if (!key || key->name.Empty() || !PlausibleName(key->name, NameKind::Key) ||
        !PlausibleWrite(key->lastWrite) || key->subkeyCount > hive_.BinsEnd() / 8 ||
        key->valueCount > hive_.BinsEnd() / 4)
      return 0;
    DeletedKey found;
    found.cell = cell;
    found.name = key->name.ToUtf16();
    found.lastWrite = key->lastWrite;
    found.parent = key->parent;
    found.subkeyCount = key->subkeyCount;
    found.valueCount = key->valueCount;
    out_.keys.push_back(std::move(found));
    keyNodes_.push_back(*key);
    return kKeyNodeFixedSize + key->name.size;
  }

  std::size_t TakeValue(CellRef cell, std::span<const std::uint8_t> bytes) {
    const auto value = ParseValueRecord(cell, bytes);
    if (!value || !PlausibleName(value->name, NameKind::Value) || !PlausibleType(value->type))
      return 0;
    if (value->inlineData ? value->dataSize > 4
                          : value->dataSize > hive_.BinsEnd() ||
                                (value->dataSize > 0 && (value->dataField % 8 != 0 ||
                                                         value->dataField >= hive_.BinsEnd())))
      return 0;
    DeletedValue found;
    found.cell = cell;
    found.name = value->name.ToUtf16();
    found.type = value->type;
    found.dataSize = value->dataSize;
    out_.values.push_back(std::move(found));
    valueRecords_.push_back(*value);
    return kValueFixedSize + value->name.size;
  }

  // The index of the deleted key recorded at `cell`, if any.
  std::optional<std::size_t> DeletedKeyAt(CellRef cell) const {
    const auto it = std::lower_bound(keyNodes_.begin(), keyNodes_.end(), cell,
                                     [](const KeyNode& k, CellRef c) { return k.cell < c; });
    if (it == keyNodes_.end() || it->cell != cell)
      return std::nullopt;
    return static_cast<std::size_t>(it - keyNodes_.begin());
  }

  // The path of the key at `cell`: a key of the hive, or a deleted key whose chain of parents
  // reaches one.
  std::optional<std::u16string> PathOf(CellRef cell) const {
    std::vector<const NameRef*> names;
    for (CellRef at = cell; names.size() <= kMaxKeyDepth;) {
      if (hive_.Key(at)) {
        auto path = hive_.PathOf(at);
        if (!path)
          return std::nullopt;
        for (auto it = names.rbegin(); it != names.rend(); ++it)
          *path = Joined(*path, (*it)->ToUtf16());
        return path;
      }
      const auto index = DeletedKeyAt(at);
      if (!index)
        return std::nullopt;
      names.push_back(&keyNodes_[*index].name);
      at = keyNodes_[*index].parent;
    }
    return std::nullopt;
  }

  // The value's data when every byte of it still lies in free space.
  void ReadData(const ValueRecord& value, DeletedValue& out) const {
    if (value.dataSize == 0) {
      out.dataState = DeletedData::None;
      return;
    }
    if (value.inlineData) {
      const std::uint8_t* field = hive_.Image().data() + kBaseBlockSize + value.cell + 4 + 8;
      out.data.assign(field, field + value.dataSize);
      out.dataState = DeletedData::Whole;
      return;
    }
    out.dataState = DeletedData::Overwritten;
    const auto head = free_.Bytes(value.dataField, 8);
    if (hive_.Base().minorVersion > 3 && value.dataSize > kBigDataSegmentSize && head &&
        HasSignature(*head, 'd', 'b')) {
      const std::uint32_t segments = le::Load16(head->data() + 2);
      const auto list = free_.Bytes(le::Load32(head->data() + 4), std::size_t{segments} * 4);
      if (!list || std::uint64_t{segments} * kBigDataSegmentSize < value.dataSize)
        return;
      for (std::uint32_t i = 0; out.data.size() < value.dataSize; ++i) {
        const std::size_t part =
            std::min<std::size_t>(kBigDataSegmentSize, value.dataSize - out.data.size());
        const auto segment = free_.Bytes(le::Load32(list->data() + i * 4), part);
        if (!segment) {
          out.data.clear();
          return;
        }
        out.data.insert(out.data.end(), segment->begin(), segment->end());
      }
      out.dataState = DeletedData::Whole;
      return;
    }
    if (const auto bytes = free_.Bytes(value.dataField, value.dataSize)) {
      out.data.assign(bytes->begin(), bytes->end());
      out.dataState = DeletedData::Whole;
    }
  }

  std::optional<std::size_t> DeletedValueAt(CellRef cell) const {
    const auto it = std::lower_bound(valueRecords_.begin(), valueRecords_.end(), cell,
                                     [](const ValueRecord& v, CellRef c) { return v.cell < c; });
    if (it == valueRecords_.end() || it->cell != cell)
      return std::nullopt;
    return static_cast<std::size_t>(it - valueRecords_.begin());
  }

  void Claim(std::span<const std::uint8_t> list, std::size_t count, CellRef owner) {
    for (std::size_t i = 0; i < count && i < list.size() / 4; ++i)
      if (const auto index = DeletedValueAt(le::Load32(list.data() + i * 4)))
        if (out_.values[*index].owner == kNoCell)
          out_.values[*index].owner = owner;
  }

  // Value lists name values, values never name their key: the owners are the keys whose
  // lists still name the deleted values. First the keys' current lists, then deleted keys'
  // lists, then the unused tail of current lists (a list shortened in place), then free cells
  // that were earlier lists of a current key (they also name some of its present values).
  void FindOwners() {
    if (valueRecords_.empty())
      return;
    for (const KeyNode& key : liveKeys_)
      if (const auto list = LiveList(key))
        Claim(*list, key.valueCount, key.cell);
    for (const KeyNode& key : keyNodes_)
      if (key.valueCount > 0)
        if (const auto list = free_.Bytes(key.valueList, std::size_t{key.valueCount} * 4))
          Claim(*list, key.valueCount, key.cell);
    for (const KeyNode& key : liveKeys_)
      if (const auto list = LiveList(key))
        Claim(*list, list->size() / 4, key.cell);
    ClaimFromEarlierLists();
    for (DeletedValue& value : out_.values)
      if (value.owner != kNoCell)
        value.ownerPath = PathOf(value.owner);
  }

  std::optional<std::span<const std::uint8_t>> LiveList(const KeyNode& key) const {
    if (key.valueCount == 0)
      return std::nullopt;
    const auto cell = hive_.Cell(key.valueList);
    if (!cell || !cell->allocated)
      return std::nullopt;
    return cell->data;
  }

  void ClaimFromEarlierLists() {
    const bool unowned = std::any_of(out_.values.begin(), out_.values.end(),
                                     [](const DeletedValue& v) { return v.owner == kNoCell; });
    if (!unowned)
      return;
    // Each present value belongs to the key whose list names it.
    std::vector<std::pair<CellRef, CellRef>> ownerOf;
    std::vector<ValueRecord> values;
    for (const KeyNode& key : liveKeys_) {
      values.clear();
      hive_.Values(key, values);
      for (const ValueRecord& v : values)
        ownerOf.emplace_back(v.cell, key.cell);
    }
    std::sort(ownerOf.begin(), ownerOf.end());
    free_.ForEachStart([&](CellRef start, std::uint64_t end) {
      const std::uint8_t* p = hive_.Image().data() + kBaseBlockSize;
      CellRef owner = kNoCell;
      bool conflict = false;
      std::vector<std::size_t> orphans;
      for (std::uint64_t at = start + 4; at + 4 <= end; at += 4) {
        const CellRef ref = le::Load32(p + at);
        const auto live =
            std::lower_bound(ownerOf.begin(), ownerOf.end(), std::pair<CellRef, CellRef>{ref, 0});
        if (live != ownerOf.end() && live->first == ref) {
          conflict = conflict || (owner != kNoCell && owner != live->second);
          owner = live->second;
        } else if (const auto index = DeletedValueAt(ref)) {
          orphans.push_back(*index);
        } else {
          break;
        }
      }
      if (owner == kNoCell || conflict)
        return;
      for (const std::size_t index : orphans)
        if (out_.values[index].owner == kNoCell)
          out_.values[index].owner = owner;
    });
  }

  const Hive& hive_;
  FreeSpace free_;
  std::vector<KeyNode> liveKeys_;
  std::vector<KeyNode> keyNodes_;         // the deleted keys' records, as out_.keys
  std::vector<ValueRecord> valueRecords_; // the deleted values' records, as out_.values
  DeletedEntries out_;
};

} // namespace

DeletedEntries FindDeleted(const Hive& hive) {
  return DeletedScan(hive).Run();
}

} // namespace tw::hive
