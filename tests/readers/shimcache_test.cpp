#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "readers/binary_traces.h"
#include "readers/shimcache.h"
#include "runtime/ansi_text.h"
#include "runtime/code_page.h"
#include "support/binary_values.h"

namespace tw {
namespace {

using namespace test::binary;

// What the tests put into a cache, in its order.
struct Program {
  std::string path;
  std::uint64_t modified;
  std::uint32_t insertFlags = 0; // 0x2: executed
  std::uint32_t shimFlags = 0;
  std::uint32_t dataSize = 0;
};

const std::vector<Program> kPrograms = {
    {"C:\\Windows\\system32\\cmd.exe", 129'000'000'000'000'000ull, 0x2, 0x0, 4},
    {"\\??\\C:\\Users\\eve\\AppData\\Local\\Temp\\x.exe", 130'000'000'000'000'000ull, 0x0, 0x100,
     0},
    {"D:\\tools\\nc.exe", 131'000'000'000'000'000ull, 0x12, 0x0, 12},
};

void Append(Buffer& to, const Buffer& from) {
  to.insert(to.end(), from.begin(), from.end());
}

// XP: a 400-byte header, then 552-byte entries with the path in the first 528 bytes.
Buffer XpBlob(const std::vector<Program>& programs) {
  Buffer b;
  Put32(b, 0xDEADBEEF);
  Put32(b, static_cast<std::uint32_t>(programs.size()));
  b.resize(400, 0);
  for (const Program& p : programs) {
    Buffer path = Utf16(p.path);
    path.resize(528, 0);
    Append(b, path);
    Put64(b, p.modified);
    Put64(b, 4096 + p.dataSize); // file size
    Put64(b, p.modified + 10'000'000);
  }
  return b;
}

enum class Bits { x32, x64 };
enum class Table { Server2003Vista, Windows7 };

// Server 2003 / Vista and 7: header, the table of fixed entries, then the data and the paths
// they point at (offsets from the blob's start).
Buffer TableBlob(Table table, Bits bits, const std::vector<Program>& programs) {
  const bool seven = table == Table::Windows7;
  const bool wide = bits == Bits::x64;
  const std::size_t header = seven ? 128 : 8;
  const std::size_t entrySize = seven ? (wide ? 48 : 32) : (wide ? 32 : 24);
  Buffer b;
  Put32(b, seven ? 0xBADC0FEE : 0xBADC0FFE);
  Put32(b, static_cast<std::uint32_t>(programs.size()));
  b.resize(header, 0);
  Buffer tail;
  std::size_t tailAt = header + entrySize * programs.size();
  for (const Program& p : programs) {
    const Buffer path = Utf16(p.path);
    const std::size_t pathAt = tailAt + tail.size();
    Append(tail, path);
    Put16(tail, 0);
    const std::size_t dataAt = tailAt + tail.size();
    if (seven)
      tail.resize(tail.size() + p.dataSize, 0xDA);
    Put16(b, static_cast<unsigned>(path.size()));
    Put16(b, static_cast<unsigned>(path.size() + 2));
    if (wide) {
      Put32(b, 0);
      Put64(b, pathAt);
    } else {
      Put32(b, static_cast<std::uint32_t>(pathAt));
    }
    Put64(b, p.modified);
    if (!seven) {
      Put32(b, p.insertFlags);
      Put32(b, p.shimFlags);
    } else {
      Put32(b, p.insertFlags);
      Put32(b, p.shimFlags);
      if (wide) {
        Put64(b, p.dataSize);
        Put64(b, p.dataSize ? dataAt : 0);
      } else {
        Put32(b, p.dataSize);
        Put32(b, p.dataSize ? static_cast<std::uint32_t>(dataAt) : 0);
      }
    }
  }
  Append(b, tail);
  return b;
}

enum class Signed { Windows8, Windows81, Windows10, Windows10Creators };

// 8 and later: a header, then entries "00ts"/"10ts", 4 unknown bytes, the size of the rest.
Buffer SignedBlob(Signed kind, const std::vector<Program>& programs) {
  Buffer b;
  const std::size_t header = kind == Signed::Windows10           ? 0x30
                             : kind == Signed::Windows10Creators ? 0x34
                                                                 : 0x80;
  Put32(b, static_cast<std::uint32_t>(header));
  b.resize(header, 0);
  if (kind == Signed::Windows10)
    b[36] = static_cast<std::uint8_t>(programs.size());
  for (const Program& p : programs) {
    Buffer body;
    const Buffer path = Utf16(p.path);
    Put16(body, static_cast<unsigned>(path.size()));
    Append(body, path);
    if (kind == Signed::Windows8 || kind == Signed::Windows81) {
      Put32(body, p.insertFlags);
      Put32(body, p.shimFlags);
      if (kind == Signed::Windows81)
        Put16(body, 0);
    }
    Put64(body, p.modified);
    Put32(body, p.dataSize);
    body.resize(body.size() + p.dataSize, 0xDA);
    const char* magic = kind == Signed::Windows8 ? "00ts" : "10ts";
    b.insert(b.end(), magic, magic + 4);
    Put32(b, 0x5EED5EED);
    Put32(b, static_cast<std::uint32_t>(body.size()));
    Append(b, body);
  }
  return b;
}

std::string Ansi(const std::u16string& text) {
  return AnsiFromUtf16(text);
}

// The programs' paths and times in the cache's order.
void ExpectPathsAndTimes(const ShimCache& cache, const std::vector<Program>& programs) {
  ASSERT_EQ(cache.entries.size(), programs.size());
  for (std::size_t i = 0; i < programs.size(); ++i) {
    EXPECT_EQ(cache.entries[i].position, i);
    EXPECT_EQ(Ansi(cache.entries[i].path), programs[i].path) << i;
    EXPECT_EQ(cache.entries[i].lastModified, programs[i].modified) << i;
  }
}

TEST(ShimCacheFormats, XpKeepsFileSizeAndUpdateTimeButNoExecutedFlag) {
  const ShimCache cache = DecodeShimCache(XpBlob(kPrograms));
  EXPECT_EQ(cache.format, ShimCacheFormat::WindowsXp);
  EXPECT_EQ(cache.damage, ShimCacheDamage::None);
  ExpectPathsAndTimes(cache, kPrograms);
  EXPECT_EQ(cache.entries[2].fileSize, 4096u + 12);
  EXPECT_EQ(cache.entries[0].lastUpdate, kPrograms[0].modified + 10'000'000);
  EXPECT_EQ(cache.entries[0].executed, Executed::Unknown);
}

TEST(ShimCacheFormats, Windows7EitherWidthGivesExecutedFromTheInsertionFlag) {
  for (const Bits bits : {Bits::x32, Bits::x64}) {
    const ShimCache cache = DecodeShimCache(TableBlob(Table::Windows7, bits, kPrograms));
    EXPECT_EQ(cache.format,
              bits == Bits::x64 ? ShimCacheFormat::Windows7x64 : ShimCacheFormat::Windows7x32);
    EXPECT_EQ(cache.declaredEntries, 3u);
    EXPECT_EQ(cache.damage, ShimCacheDamage::None);
    ExpectPathsAndTimes(cache, kPrograms);
    EXPECT_EQ(cache.entries[0].executed, Executed::Yes);
    EXPECT_EQ(cache.entries[1].executed, Executed::No);
    EXPECT_EQ(cache.entries[2].executed, Executed::Yes);
    EXPECT_EQ(cache.entries[1].shimFlags, 0x100u);
    EXPECT_EQ(cache.entries[2].dataSize, 12u);
  }
}

TEST(ShimCacheFormats, Server2003AndVistaKeepTheirAmbiguousEightBytesAsStored) {
  for (const Bits bits : {Bits::x32, Bits::x64}) {
    const ShimCache cache = DecodeShimCache(TableBlob(Table::Server2003Vista, bits, kPrograms));
    EXPECT_EQ(cache.format, bits == Bits::x64 ? ShimCacheFormat::Server2003Vista64
                                              : ShimCacheFormat::Server2003Vista32);
    ExpectPathsAndTimes(cache, kPrograms);
    EXPECT_EQ(cache.entries[1].sizeOrFlags, 0x100ull << 32);
    EXPECT_EQ(cache.entries[1].executed, Executed::Unknown);
    EXPECT_FALSE(cache.entries[1].insertFlags);
  }
}

TEST(ShimCacheFormats, Windows8And81KeepFlagsAndData) {
  for (const Signed kind : {Signed::Windows8, Signed::Windows81}) {
    const ShimCache cache = DecodeShimCache(SignedBlob(kind, kPrograms));
    EXPECT_EQ(cache.format,
              kind == Signed::Windows8 ? ShimCacheFormat::Windows8 : ShimCacheFormat::Windows81);
    EXPECT_EQ(cache.damage, ShimCacheDamage::None);
    ExpectPathsAndTimes(cache, kPrograms);
    EXPECT_EQ(cache.entries[0].executed, Executed::Yes);
    EXPECT_EQ(cache.entries[1].executed, Executed::No);
    EXPECT_EQ(cache.entries[2].insertFlags, 0x12u);
    EXPECT_EQ(cache.entries[2].dataSize, 12u);
  }
}

TEST(ShimCacheFormats, Windows10And11HaveNoExecutedFlag) {
  for (const Signed kind : {Signed::Windows10, Signed::Windows10Creators}) {
    const ShimCache cache = DecodeShimCache(SignedBlob(kind, kPrograms));
    EXPECT_EQ(cache.format, kind == Signed::Windows10 ? ShimCacheFormat::Windows10
                                                      : ShimCacheFormat::Windows10Creators);
    EXPECT_EQ(cache.damage, ShimCacheDamage::None);
    ExpectPathsAndTimes(cache, kPrograms);
    for (const ShimCacheEntry& entry : cache.entries) {
      EXPECT_EQ(entry.executed, Executed::Unknown);
      EXPECT_FALSE(entry.insertFlags);
    }
    EXPECT_EQ(cache.entries[0].dataSize, 4u);
  }
  EXPECT_EQ(DecodeShimCache(SignedBlob(Signed::Windows10, kPrograms)).declaredEntries, 3u);
}

TEST(ShimCacheFormats, EmptyCachesAndUnknownSignatures) {
  for (const Bits bits : {Bits::x32, Bits::x64}) {
    const ShimCache cache = DecodeShimCache(TableBlob(Table::Windows7, bits, {}));
    EXPECT_TRUE(cache.entries.empty());
    EXPECT_EQ(cache.damage, ShimCacheDamage::None);
  }
  EXPECT_EQ(DecodeShimCache(SignedBlob(Signed::Windows10, {})).damage, ShimCacheDamage::None);
  Buffer other = XpBlob(kPrograms);
  other[0] = 0x11;
  const ShimCache unknown = DecodeShimCache(other);
  EXPECT_EQ(unknown.format, ShimCacheFormat::Unknown);
  EXPECT_EQ(unknown.damage, ShimCacheDamage::Unrecognized);
  EXPECT_TRUE(unknown.entries.empty());
  EXPECT_EQ(DecodeShimCache(Buffer{0xEE, 0x0F}).damage, ShimCacheDamage::Truncated);
}

// Whether `n` is where an entry of a layout without an entry count starts (8, 8.1 and 10 from
// 1703 on): a cut there cannot be told from a cache that ends there.
bool IsUncountedEntryBoundary(const Buffer& blob, std::size_t n) {
  const std::uint32_t header = blob[0] | blob[1] << 8;
  if (header != 0x80 && header != 0x34)
    return false;
  std::size_t at = header;
  while (at < n && at + 12 <= blob.size())
    at += 12 + (blob[at + 8] | blob[at + 9] << 8 | blob[at + 10] << 16);
  return at == n;
}

// Cut anywhere, every layout gives a prefix of its entries, each intact, and says it was cut.
TEST(ShimCacheDamage, ACutBlobGivesTheEntriesBeforeTheCut) {
  const std::vector<Buffer> blobs = {
      XpBlob(kPrograms),
      TableBlob(Table::Windows7, Bits::x32, kPrograms),
      TableBlob(Table::Windows7, Bits::x64, kPrograms),
      TableBlob(Table::Server2003Vista, Bits::x64, kPrograms),
      SignedBlob(Signed::Windows81, kPrograms),
      SignedBlob(Signed::Windows10, kPrograms),
      SignedBlob(Signed::Windows10Creators, kPrograms),
  };
  for (const Buffer& blob : blobs) {
    const ShimCache whole = DecodeShimCache(blob);
    for (std::size_t n = 0; n < blob.size(); ++n) {
      const ShimCache cut = DecodeShimCache(Bytes(blob).first(n));
      // Only the last path's terminator, which no field counts, may be missing from a whole one.
      if (cut.entries.size() == kPrograms.size()) {
        EXPECT_GE(n, blob.size() - 2);
        continue;
      }
      for (std::size_t i = 0; i < cut.entries.size(); ++i) {
        EXPECT_EQ(cut.entries[i].path, whole.entries[i].path) << n;
        EXPECT_EQ(cut.entries[i].lastModified, whole.entries[i].lastModified) << n;
      }
      if (cut.damage == ShimCacheDamage::None) {
        EXPECT_TRUE(IsUncountedEntryBoundary(blob, n)) << n;
      }
    }
  }
}

TEST(ShimCacheDamage, EntryLengthsPastTheEndStopThereAndSaySo) {
  // Windows 10: the second entry's size runs past the blob.
  Buffer ten = SignedBlob(Signed::Windows10, kPrograms);
  const std::size_t second = 0x30 + 12 + (ten[0x30 + 8] | ten[0x30 + 9] << 8);
  ten[second + 9] = 0x7F;
  ShimCache cache = DecodeShimCache(ten);
  EXPECT_EQ(cache.damage, ShimCacheDamage::PastTheEnd);
  ASSERT_EQ(cache.entries.size(), 1u);
  EXPECT_EQ(Ansi(cache.entries[0].path), kPrograms[0].path);
  // Windows 7: the third entry's path offset points past the blob.
  Buffer seven = TableBlob(Table::Windows7, Bits::x32, kPrograms);
  seven[128 + 2 * 32 + 6] = 0x40;
  cache = DecodeShimCache(seven);
  EXPECT_EQ(cache.damage, ShimCacheDamage::PastTheEnd);
  EXPECT_EQ(cache.entries.size(), 2u);
  // Windows 7, 64-bit: the first entry's data size is beyond any blob.
  Buffer wide = TableBlob(Table::Windows7, Bits::x64, kPrograms);
  wide[128 + 32 + 7] = 0x80;
  cache = DecodeShimCache(wide);
  EXPECT_EQ(cache.damage, ShimCacheDamage::PastTheEnd);
  EXPECT_TRUE(cache.entries.empty());
  // A path length inside a Windows 8.1 entry longer than the entry.
  Buffer eight = SignedBlob(Signed::Windows81, kPrograms);
  eight[0x80 + 12 + 1] = 0x7F;
  cache = DecodeShimCache(eight);
  EXPECT_EQ(cache.damage, ShimCacheDamage::PastTheEnd);
  EXPECT_TRUE(cache.entries.empty());
  // A count far beyond the entries present.
  Buffer xp = XpBlob(kPrograms);
  xp[5] = 0x10;
  cache = DecodeShimCache(xp);
  EXPECT_EQ(cache.damage, ShimCacheDamage::Truncated);
  EXPECT_EQ(cache.entries.size(), 3u);
}

} // namespace
} // namespace tw
