#include "hive/hive.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "hive/records.h"
#include "runtime/little_endian.h"

namespace tw::hive {
namespace {

constexpr std::uint32_t kPageSize = 4096;
constexpr std::uint32_t kInlineDataFlag = 0x80000000;
constexpr std::uint16_t kValueCompressedName = 0x0001;
// The smallest cell a key node can occupy (size field, fixed part, one name byte, aligned).
constexpr std::uint32_t kSmallestKeyCell = 88;

std::string Hex(std::uint32_t value) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string out = "0x";
  bool started = false;
  for (int shift = 28; shift >= 0; shift -= 4) {
    const unsigned digit = (value >> shift) & 0xF;
    started = started || digit != 0 || shift == 0;
    if (started)
      out += kDigits[digit];
  }
  return out;
}

bool IsLeaf(std::span<const std::uint8_t> list) {
  return HasSignature(list, 'l', 'f') || HasSignature(list, 'l', 'h') ||
         HasSignature(list, 'l', 'i');
}

} // namespace

std::u16string NameRef::ToUtf16() const {
  std::u16string out(Length(), u'\0');
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = At(i);
  return out;
}

std::optional<KeyNode> ParseKeyNode(CellRef cell, std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kKeyNodeFixedSize || !HasSignature(bytes, 'n', 'k'))
    return std::nullopt;
  const std::uint8_t* p = bytes.data();
  const std::uint16_t nameSize = le::Load16(p + 72);
  if (nameSize > bytes.size() - kKeyNodeFixedSize)
    return std::nullopt;
  KeyNode key;
  key.cell = cell;
  key.flags = le::Load16(p + 2);
  key.lastWrite = le::Load64(p + 4);
  key.parent = le::Load32(p + 16);
  key.subkeyCount = le::Load32(p + 20);
  key.subkeyList = le::Load32(p + 28);
  key.valueCount = le::Load32(p + 36);
  key.valueList = le::Load32(p + 40);
  key.security = le::Load32(p + 44);
  key.classCell = le::Load32(p + 48);
  key.classSize = le::Load16(p + 74);
  key.name = NameRef{p + kKeyNodeFixedSize, nameSize, (key.flags & kKeyCompressedName) != 0};
  return key;
}

std::optional<ValueRecord> ParseValueRecord(CellRef cell, std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kValueFixedSize || !HasSignature(bytes, 'v', 'k'))
    return std::nullopt;
  const std::uint8_t* p = bytes.data();
  const std::uint16_t nameSize = le::Load16(p + 2);
  if (nameSize > bytes.size() - kValueFixedSize)
    return std::nullopt;
  ValueRecord value;
  value.cell = cell;
  const std::uint32_t size = le::Load32(p + 4);
  value.inlineData = (size & kInlineDataFlag) != 0;
  value.dataSize = size & ~kInlineDataFlag;
  value.dataField = le::Load32(p + 8);
  value.type = le::Load32(p + 12);
  value.flags = le::Load16(p + 16);
  value.name = NameRef{p + kValueFixedSize, nameSize, (value.flags & kValueCompressedName) != 0};
  return value;
}

Hive::Hive(std::vector<std::uint8_t> image) : owned_(std::move(image)), image_(owned_) {
  Open();
}

Hive::Hive(std::span<const std::uint8_t> image, std::shared_ptr<const void> keeper)
    : keeper_(std::move(keeper)), image_(image) {
  Open();
}

void Hive::Open() {
  if (image_.size() < 4 || std::memcmp(image_.data(), "regf", 4) != 0)
    throw HiveError("not a hive (no registry hive signature)");
  const auto base = ParseBaseBlock(image_);
  if (!base)
    throw HiveError("not a hive (truncated: " + std::to_string(image_.size()) +
                    " bytes, shorter than the 4096-byte base block)");
  base_ = *base;
  if (base_.majorVersion != 1)
    throw HiveError("unsupported hive format version " + std::to_string(base_.majorVersion) + "." +
                    std::to_string(base_.minorVersion));
  if (base_.fileType != 0)
    throw HiveError("not a primary hive file (file type " + std::to_string(base_.fileType) +
                    (base_.fileType <= 6 ? ": a transaction log)" : ")"));

  // The bins end where the base block says, or where the file does when it was cut short; a
  // size that is no multiple of a page is no size at all.
  const std::size_t inFile = (image_.size() - kBaseBlockSize) / kPageSize * kPageSize;
  const bool sizeUsable = base_.hiveBinsDataSize != 0 && base_.hiveBinsDataSize % kPageSize == 0;
  const std::size_t limit =
      std::min<std::size_t>(sizeUsable ? base_.hiveBinsDataSize : inFile, inFile);
  // A damaged bin costs its own pages only: the next page that starts a sound bin at its own
  // offset takes up the reading again, since cells are found by their offsets alone.
  std::uint32_t at = 0;
  while (at < limit) {
    const std::uint8_t* p = image_.data() + kBaseBlockSize + at;
    const std::uint32_t size = le::Load32(p + 8);
    if (std::memcmp(p, "hbin", 4) != 0 || le::Load32(p + 4) != at || size == 0 ||
        size % kPageSize != 0 || size > limit - at) {
      binOfPage_.push_back(Bin{0, 0});
      at += kPageSize;
      continue;
    }
    binOfPage_.insert(binOfPage_.end(), size / kPageSize, Bin{at, at + size});
    bins_.push_back({at, at + size});
    at += size;
    binsEnd_ = at;
  }
  binOfPage_.resize(binsEnd_ / kPageSize);
  if (bins_.empty())
    throw HiveError("damaged (no sound hive bin after the base block)");
  if (!Key(base_.rootCell))
    throw HiveError("damaged (the root key at cell " + Hex(base_.rootCell) +
                    " is no sound key node)");
}

void Hive::Prefetch(CellRef cell) const {
  if (cell < binsEnd_)
    __builtin_prefetch(image_.data() + kBaseBlockSize + cell);
}

const Hive::Bin* Hive::BinOf(CellRef cell) const {
  const std::uint32_t page = cell / kPageSize;
  if (page >= binOfPage_.size() || binOfPage_[page].end == 0)
    return nullptr;
  return &binOfPage_[page];
}

std::optional<CellView> Hive::Cell(CellRef cell) const {
  const Bin* bin = BinOf(cell);
  if (bin == nullptr || cell % 8 != 0 || cell < bin->start + kBinHeaderSize || bin->end - cell < 8)
    return std::nullopt;
  const std::uint8_t* p = image_.data() + kBaseBlockSize + cell;
  const auto raw = static_cast<std::int32_t>(le::Load32(p));
  const bool allocated = raw < 0;
  const std::uint32_t size =
      allocated ? 0u - static_cast<std::uint32_t>(raw) : static_cast<std::uint32_t>(raw);
  if (size < 8 || size > bin->end - cell)
    return std::nullopt;
  return CellView{std::span<const std::uint8_t>(p + 4, size - 4), allocated};
}

std::optional<KeyNode> Hive::Key(CellRef cell) const {
  const auto view = Cell(cell);
  if (!view || !view->allocated)
    return std::nullopt;
  auto key = ParseKeyNode(cell, view->data);
  // Only the root may go without a name.
  if (key && key->name.Empty() && cell != base_.rootCell)
    return std::nullopt;
  return key;
}

std::optional<ValueRecord> Hive::Value(CellRef cell) const {
  const auto view = Cell(cell);
  if (!view || !view->allocated)
    return std::nullopt;
  return ParseValueRecord(cell, view->data);
}

std::uint32_t Hive::Subkeys(const KeyNode& key, std::vector<KeyNode>& out) const {
  if (key.subkeyCount == 0)
    return 0;
  // The key's count is what the index should hold; a damaged index that names the same lists
  // or keys over and over is cut there, and no key can have more subkeys than fit in the hive.
  const std::uint32_t limit = std::min(key.subkeyCount, binsEnd_ / kSmallestKeyCell);
  std::uint32_t taken = 0;
  std::uint32_t bad = 0;
  const std::size_t before = out.size();
  const auto readLeaf = [&](std::span<const std::uint8_t> leaf) {
    const std::size_t stride = HasSignature(leaf, 'l', 'i') ? 4 : 8;
    if (leaf.size() < 4)
      return;
    const std::size_t fits = (leaf.size() - 4) / stride;
    const std::size_t count = std::min<std::size_t>(le::Load16(leaf.data() + 2), fits);
    for (std::size_t i = 0; i < std::min<std::size_t>(count, limit - taken); ++i)
      Prefetch(le::Load32(leaf.data() + 4 + i * stride));
    for (std::size_t i = 0; i < count && taken < limit; ++i, ++taken) {
      if (auto child = Key(le::Load32(leaf.data() + 4 + i * stride)))
        out.push_back(*child);
      else
        ++bad;
    }
  };
  const auto list = Cell(key.subkeyList);
  if (list && list->allocated) {
    if (IsLeaf(list->data)) {
      readLeaf(list->data);
    } else if (HasSignature(list->data, 'r', 'i') && list->data.size() >= 4) {
      const std::size_t fits = (list->data.size() - 4) / 4;
      const std::size_t count = std::min<std::size_t>(le::Load16(list->data.data() + 2), fits);
      // An index root names leaves only; anything else it names is skipped, and the keys it
      // should have held are missing from the count.
      for (std::size_t i = 0; i < count && taken < limit; ++i) {
        const auto leaf = Cell(le::Load32(list->data.data() + 4 + i * 4));
        if (leaf && leaf->allocated && IsLeaf(leaf->data))
          readLeaf(leaf->data);
      }
    }
  }
  // The subkeys' lists are what a walk reads next.
  for (std::size_t i = before; i < out.size(); ++i) {
    Prefetch(out[i].valueList);
    Prefetch(out[i].subkeyList);
  }
  return bad + (key.subkeyCount - taken);
}

std::uint32_t Hive::Values(const KeyNode& key, std::vector<ValueRecord>& out) const {
  if (key.valueCount == 0)
    return 0;
  const auto list = Cell(key.valueList);
  if (!list || !list->allocated)
    return key.valueCount;
  const std::size_t count = std::min<std::size_t>(key.valueCount, list->data.size() / 4);
  std::uint32_t bad = key.valueCount - static_cast<std::uint32_t>(count);
  // The records lie anywhere in the hive: ask for all of them before reading the first.
  for (std::size_t i = 0; i < count; ++i)
    Prefetch(le::Load32(list->data.data() + i * 4));
  for (std::size_t i = 0; i < count; ++i) {
    if (auto value = Value(le::Load32(list->data.data() + i * 4))) {
      // Their data is most often read next.
      if (!value->inlineData && value->dataSize != 0)
        Prefetch(value->dataField);
      out.push_back(*value);
    } else {
      ++bad;
    }
  }
  return bad;
}

Hive::DataPlace Hive::Place(const ValueRecord& value) const {
  if (value.inlineData) {
    // The bytes of the record's data field, which the record's cell holds.
    if (value.dataSize > 4 || std::uint64_t{value.cell} + 4 + kValueFixedSize > binsEnd_)
      return {};
    return {std::span<const std::uint8_t>(image_.data() + kBaseBlockSize + value.cell + 12,
                                          value.dataSize),
            {}};
  }
  if (value.dataSize == 0)
    return {std::span<const std::uint8_t>(), {}};
  const auto cell = Cell(value.dataField);
  if (!cell || !cell->allocated)
    return {};
  // Hives of format 1.4 and later split data longer than a segment into a big-data record; a
  // cell that holds the whole value is read as it is, whoever wrote it.
  if (base_.minorVersion > 3 && value.dataSize > kBigDataSegmentSize &&
      HasSignature(cell->data, 'd', 'b') && cell->data.size() < value.dataSize)
    return {std::nullopt, cell->data};
  if (cell->data.size() < value.dataSize)
    return {};
  return {cell->data.first(value.dataSize), {}};
}

std::optional<std::span<const std::uint8_t>> Hive::DataSpan(const ValueRecord& value) const {
  return Place(value).whole;
}

bool Hive::Data(const ValueRecord& value, std::vector<std::uint8_t>& out) const {
  out.clear();
  const DataPlace place = Place(value);
  if (place.whole) {
    out.assign(place.whole->begin(), place.whole->end());
    return true;
  }
  const std::span<const std::uint8_t> db = place.bigData;
  // The segments are cells of their own: together they cannot hold more than the hive does.
  if (db.size() < 8 || value.dataSize > image_.size())
    return false;
  const std::uint32_t segments = le::Load16(db.data() + 2);
  const auto list = Cell(le::Load32(db.data() + 4));
  if (!list || !list->allocated || list->data.size() / 4 < segments ||
      std::uint64_t{segments} * kBigDataSegmentSize < value.dataSize)
    return false;
  for (std::uint32_t i = 0; out.size() < value.dataSize; ++i) {
    const auto segment = Cell(le::Load32(list->data.data() + i * 4));
    const std::size_t part =
        std::min<std::size_t>(kBigDataSegmentSize, value.dataSize - out.size());
    if (!segment || !segment->allocated || segment->data.size() < part) {
      out.clear();
      return false;
    }
    out.insert(out.end(), segment->data.begin(), segment->data.begin() + part);
  }
  return true;
}

std::optional<std::u16string> Hive::ClassName(const KeyNode& key) const {
  if (key.classSize == 0)
    return std::nullopt;
  const auto cell = Cell(key.classCell);
  if (!cell || !cell->allocated || cell->data.size() < key.classSize)
    return std::nullopt;
  return NameRef{cell->data.data(), key.classSize, false}.ToUtf16();
}

std::optional<std::u16string> Hive::PathOf(CellRef cell) const {
  std::vector<NameRef> names;
  for (CellRef at = cell; at != base_.rootCell;) {
    const auto key = Key(at);
    if (!key || names.size() >= kMaxKeyDepth)
      return std::nullopt;
    names.push_back(key->name);
    at = key->parent;
  }
  std::u16string path;
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    if (!path.empty())
      path += u'\\';
    for (std::size_t i = 0; i < it->Length(); ++i)
      path += it->At(i);
  }
  return path;
}

} // namespace tw::hive
