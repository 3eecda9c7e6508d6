#include "readers/shimcache.h"

#include <algorithm>

namespace tw {
namespace {

constexpr std::uint32_t kXpMagic = 0xDEADBEEF;
constexpr std::uint32_t kVistaMagic = 0xBADC0FFE; // Server 2003 and Vista alike
constexpr std::uint32_t kWindows7Magic = 0xBADC0FEE;
constexpr std::uint32_t kWindows8EntryMagic = 0x73743030;  // "00ts"
constexpr std::uint32_t kWindows81EntryMagic = 0x73743031; // "10ts"
constexpr std::size_t kXpHeaderSize = 400;
constexpr std::size_t kXpEntrySize = 552;
constexpr std::size_t kXpPathBytes = 528;
constexpr std::size_t kWindows7HeaderSize = 128;
constexpr std::size_t kWindows8HeaderSize = 128;
constexpr std::uint32_t kExecutedFlag = 0x2; // the insertion flag set when a process was created
// More entries than any cache keeps (1024 on 7, fewer elsewhere): the count is corrupt.
constexpr std::uint32_t kMaxEntries = 100'000;

Executed ExecutedFrom(std::uint32_t insertFlags) {
  return (insertFlags & kExecutedFlag) ? Executed::Yes : Executed::No;
}

void ReadXp(Bytes d, ShimCache& cache) {
  cache.format = ShimCacheFormat::WindowsXp;
  if (!Fits(d, 0, kXpHeaderSize)) {
    cache.damage = ShimCacheDamage::Truncated;
    return;
  }
  const std::uint32_t count = Le32(d, 4);
  cache.declaredEntries = count;
  for (std::uint32_t i = 0; i < std::min(count, kMaxEntries); ++i) {
    const std::size_t at = kXpHeaderSize + std::size_t{i} * kXpEntrySize;
    if (!Fits(d, at, kXpEntrySize)) {
      cache.damage = ShimCacheDamage::Truncated;
      return;
    }
    ShimCacheEntry entry;
    entry.position = i;
    entry.path = *Utf16At(d, at, kXpPathBytes);
    entry.lastModified = Le64(d, at + kXpPathBytes);
    entry.fileSize = Le64(d, at + kXpPathBytes + 8);
    entry.lastUpdate = Le64(d, at + kXpPathBytes + 16);
    cache.entries.push_back(std::move(entry));
  }
}

// The entry tables of Server 2003, Vista and 7: a counted path (length, maximum length, offset
// from the start of the blob) then fields of the format, 32- or 64-bit.
struct TableLayout {
  std::size_t header;
  std::size_t entrySize;
  bool wide; // 64-bit: 4 bytes of padding after the lengths and 8-byte offsets
};

// The path's offset; the blob's size (never a valid start) when it lies beyond the blob.
std::size_t PathOffset(Bytes d, std::size_t at, const TableLayout& layout) {
  const std::uint64_t offset = layout.wide ? Le64(d, at + 8) : Le32(d, at + 4);
  return offset < d.size() ? static_cast<std::size_t>(offset) : d.size();
}

// Whether the first entry reads sensibly with the layout: its path lies after the table and
// inside the blob, and its maximum length leaves room for the terminator.
bool FirstEntryFits(Bytes d, std::uint32_t count, const TableLayout& layout) {
  const std::size_t at = layout.header;
  if (!Fits(d, at, layout.entrySize))
    return false;
  if (layout.wide && Le32(d, at + 4) != 0)
    return false;
  const std::size_t length = Le16(d, at);
  const std::size_t maxLength = Le16(d, at + 2);
  const std::size_t offset = PathOffset(d, at, layout);
  const std::uint64_t tableEnd = layout.header + std::uint64_t{count} * layout.entrySize;
  return maxLength >= length && offset >= tableEnd && Fits(d, offset, length);
}

void ReadTable(Bytes d, ShimCache& cache, const TableLayout& layout) {
  const std::uint32_t count = Le32(d, 4);
  cache.declaredEntries = count;
  const std::size_t fields = layout.wide ? 16 : 8;
  for (std::uint32_t i = 0; i < std::min(count, kMaxEntries); ++i) {
    const std::size_t at = layout.header + std::size_t{i} * layout.entrySize;
    if (!Fits(d, at, layout.entrySize)) {
      cache.damage = ShimCacheDamage::Truncated;
      return;
    }
    const auto path = Utf16At(d, PathOffset(d, at, layout), Le16(d, at));
    if (!path) {
      cache.damage = ShimCacheDamage::PastTheEnd;
      return;
    }
    ShimCacheEntry entry;
    entry.position = i;
    entry.path = *path;
    entry.lastModified = Le64(d, at + fields);
    const std::size_t rest = at + fields + 8;
    switch (cache.format) {
    case ShimCacheFormat::Server2003Vista32:
    case ShimCacheFormat::Server2003Vista64:
      entry.sizeOrFlags = Le64(d, rest);
      break;
    default: {
      entry.insertFlags = Le32(d, rest);
      entry.shimFlags = Le32(d, rest + 4);
      entry.executed = ExecutedFrom(*entry.insertFlags);
      const std::uint64_t dataSize = layout.wide ? Le64(d, rest + 8) : Le32(d, rest + 8);
      const std::uint64_t dataOffset = layout.wide ? Le64(d, rest + 16) : Le32(d, rest + 12);
      if (dataSize != 0 && (dataOffset > d.size() || dataSize > d.size() - dataOffset)) {
        cache.damage = ShimCacheDamage::PastTheEnd;
        return;
      }
      entry.dataSize = static_cast<std::uint32_t>(dataSize);
    }
    }
    cache.entries.push_back(std::move(entry));
  }
}

void ReadVistaOr7(Bytes d, ShimCache& cache, std::uint32_t magic) {
  const bool seven = magic == kWindows7Magic;
  const TableLayout narrow{seven ? kWindows7HeaderSize : 8, seven ? 32u : 24u, false};
  const TableLayout wide{seven ? kWindows7HeaderSize : 8, seven ? 48u : 32u, true};
  if (!Fits(d, 0, narrow.header)) {
    cache.format = seven ? ShimCacheFormat::Windows7x32 : ShimCacheFormat::Server2003Vista32;
    cache.damage = ShimCacheDamage::Truncated;
    return;
  }
  const std::uint32_t count = Le32(d, 4);
  const bool wideFits = FirstEntryFits(d, count, wide);
  const bool narrowFits = FirstEntryFits(d, count, narrow);
  // When neither reads (a damaged first entry, or none), the padding decides: the 64-bit
  // layout has zeros where the 32-bit one keeps the path's offset, which is never 0.
  const bool isWide = wideFits != narrowFits
                          ? wideFits
                          : Fits(d, narrow.header, 8) && Le32(d, narrow.header + 4) == 0;
  if (seven)
    cache.format = isWide ? ShimCacheFormat::Windows7x64 : ShimCacheFormat::Windows7x32;
  else
    cache.format = isWide ? ShimCacheFormat::Server2003Vista64 : ShimCacheFormat::Server2003Vista32;
  ReadTable(d, cache, isWide ? wide : narrow);
}

// Windows 8 and later: entries one after the other, each "00ts" or "10ts", 4 unknown bytes and
// the size of the rest of the entry; inside, the path's byte count and the path, then the
// fields of the format.
void ReadSignedEntries(Bytes d, ShimCache& cache, std::size_t header) {
  if (!Fits(d, 0, header)) {
    cache.damage = ShimCacheDamage::Truncated;
    return;
  }
  std::size_t position = 0;
  for (std::size_t at = header; at < d.size(); ++position) {
    if (!Fits(d, at, 12)) {
      cache.damage = ShimCacheDamage::Truncated;
      return;
    }
    const std::uint32_t magic = Le32(d, at);
    if (magic != kWindows8EntryMagic && magic != kWindows81EntryMagic) {
      cache.damage = ShimCacheDamage::Unrecognized;
      return;
    }
    const std::size_t size = Le32(d, at + 8);
    const std::size_t body = at + 12;
    if (!Fits(d, body, size)) {
      cache.damage = ShimCacheDamage::PastTheEnd;
      return;
    }
    const Bytes e = d.subspan(body, size);
    ShimCacheEntry entry;
    entry.position = position;
    if (!Fits(e, 0, 2) || !Fits(e, 2, Le16(e, 0))) {
      cache.damage = ShimCacheDamage::PastTheEnd;
      return;
    }
    const std::size_t pathBytes = Le16(e, 0);
    entry.path = *Utf16At(e, 2, pathBytes);
    std::size_t p = 2 + pathBytes;
    const bool flags =
        cache.format == ShimCacheFormat::Windows8 || cache.format == ShimCacheFormat::Windows81;
    if (flags) {
      if (!Fits(e, p, 8)) {
        cache.damage = ShimCacheDamage::PastTheEnd;
        return;
      }
      entry.insertFlags = Le32(e, p);
      entry.shimFlags = Le32(e, p + 4);
      entry.executed = ExecutedFrom(*entry.insertFlags);
      p += 8;
      if (cache.format == ShimCacheFormat::Windows81)
        p += 2;
    }
    if (!Fits(e, p, 12) || !Fits(e, p + 12, Le32(e, p + 8))) {
      cache.damage = ShimCacheDamage::PastTheEnd;
      return;
    }
    entry.lastModified = Le64(e, p);
    entry.dataSize = Le32(e, p + 8);
    cache.entries.push_back(std::move(entry));
    at = body + size;
  }
}

} // namespace

ShimCache DecodeShimCache(Bytes data) {
  ShimCache cache;
  if (!Fits(data, 0, 4)) {
    cache.damage = ShimCacheDamage::Truncated;
    return cache;
  }
  const std::uint32_t first = Le32(data, 0);
  switch (first) {
  case kXpMagic:
    ReadXp(data, cache);
    return cache;
  case kVistaMagic:
  case kWindows7Magic:
    ReadVistaOr7(data, cache, first);
    return cache;
  case kWindows8HeaderSize:
    // 8 and 8.1 share the header; their entries' signature tells them apart.
    cache.format = Fits(data, kWindows8HeaderSize, 4) &&
                           Le32(data, kWindows8HeaderSize) == kWindows81EntryMagic
                       ? ShimCacheFormat::Windows81
                       : ShimCacheFormat::Windows8;
    ReadSignedEntries(data, cache, kWindows8HeaderSize);
    return cache;
  case 0x30:
  case 0x34:
    cache.format = first == 0x30 ? ShimCacheFormat::Windows10 : ShimCacheFormat::Windows10Creators;
    if (first == 0x30 && Fits(data, 0, first))
      cache.declaredEntries = Le32(data, 36);
    ReadSignedEntries(data, cache, first);
    if (cache.damage == ShimCacheDamage::None && cache.declaredEntries &&
        cache.entries.size() < *cache.declaredEntries)
      cache.damage = ShimCacheDamage::Truncated;
    return cache;
  default:
    cache.damage = ShimCacheDamage::Unrecognized;
    return cache;
  }
}

std::string_view ShimCacheFormatName(ShimCacheFormat format) {
  switch (format) {
  case ShimCacheFormat::WindowsXp:
    return "Windows XP, 32-bit";
  case ShimCacheFormat::Server2003Vista32:
    return "Windows Server 2003 or Vista, 32-bit";
  case ShimCacheFormat::Server2003Vista64:
    return "Windows Server 2003 or Vista, 64-bit";
  case ShimCacheFormat::Windows7x32:
    return "Windows 7, 32-bit";
  case ShimCacheFormat::Windows7x64:
    return "Windows 7, 64-bit";
  case ShimCacheFormat::Windows8:
    return "Windows 8";
  case ShimCacheFormat::Windows81:
    return "Windows 8.1";
  case ShimCacheFormat::Windows10:
    return "Windows 10";
  case ShimCacheFormat::Windows10Creators:
    return "Windows 10 (1703 and later) or 11";
  case ShimCacheFormat::Unknown:
    break;
  }
  return "unknown";
}

} // namespace tw
