#pragma once
// The application compatibility cache ("ShimCache"): the AppCompatCache value of SYSTEM's
// ControlSet00N\Control\Session Manager\AppCompatCache, and XP's AppCompatibility key. Every
// layout Windows has written is read: XP, Server 2003 / Vista, 7 (32- and 64-bit entries), 8,
// 8.1, 10 and 11. A blob cut short or an entry pointing past the end gives the entries before
// the damage and says so.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "readers/byte_fields.h"

namespace tw {

enum class ShimCacheFormat {
  Unknown,
  WindowsXp,         // 0xDEADBEEF, 552-byte entries
  Server2003Vista32, // 0xBADC0FFE, 24-byte entries
  Server2003Vista64, // 0xBADC0FFE, 32-byte entries
  Windows7x32,       // 0xBADC0FEE, 32-byte entries
  Windows7x64,       // 0xBADC0FEE, 48-byte entries
  Windows8,          // header of 0x80, "00ts" entries
  Windows81,         // header of 0x80, "10ts" entries
  Windows10,         // header of 0x30, "10ts" entries
  Windows10Creators, // header of 0x34 (1703 on, and 11), "10ts" entries
};

// Whether the cache recorded the program as run. Windows 7 and 8.x keep an insertion flag for
// it; XP and 10 keep none, and Server 2003's entries cannot be told from Vista's (below).
enum class Executed { Unknown, Yes, No };

enum class ShimCacheDamage {
  None,
  Truncated,    // the blob ends inside the header or an entry
  PastTheEnd,   // an entry's path, data or size points past the end of the blob
  Unrecognized, // no known signature or header size
};

struct ShimCacheEntry {
  std::size_t position = 0; // in the cache's order, from 0
  std::u16string path;
  std::uint64_t lastModified = 0; // FILETIME
  Executed executed = Executed::Unknown;
  std::optional<std::uint32_t> insertFlags;
  std::optional<std::uint32_t> shimFlags;
  std::optional<std::uint64_t> fileSize;   // XP
  std::optional<std::uint64_t> lastUpdate; // XP: FILETIME of the entry's update
  // Server 2003 keeps the file size in these 8 bytes, Vista the insertion and shim flags; the
  // blob does not say which wrote it, so they are given as stored.
  std::optional<std::uint64_t> sizeOrFlags;
  std::optional<std::uint32_t> dataSize;
};

struct ShimCache {
  ShimCacheFormat format = ShimCacheFormat::Unknown;
  std::vector<ShimCacheEntry> entries;
  std::optional<std::uint32_t> declaredEntries; // the count in the header, where there is one
  ShimCacheDamage damage = ShimCacheDamage::None;
};

ShimCache DecodeShimCache(Bytes data);

// "Windows 7, 64-bit" and so on.
std::string_view ShimCacheFormatName(ShimCacheFormat format);

} // namespace tw
