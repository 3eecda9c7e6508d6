#pragma once
// Helpers for the values of Amcache.hve: Windows 10's Root\InventoryApplicationFile keys
// (FileId, LinkDate) and the older Root\File\{volume}\{entry} keys, whose values are named by
// number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "readers/byte_fields.h"

namespace tw {

// The older File entries' values.
inline constexpr std::string_view kAmcacheFilePath = "15";     // REG_SZ, full path
inline constexpr std::string_view kAmcacheFileSha1 = "101";    // REG_SZ, "0000" + SHA-1
inline constexpr std::string_view kAmcacheFileModified = "11"; // REG_QWORD FILETIMEs
inline constexpr std::string_view kAmcacheFileCreated = "12";
inline constexpr std::string_view kAmcacheFileModified2 = "17";

// The SHA-1 in a FileId (or the older value 101): "0000" then 40 hexadecimal digits; the
// digits in lower case, none for any other text.
std::optional<std::string> Sha1FromFileId(std::u16string_view fileId);

// A LinkDate, "MM/DD/YYYY HH:MM:SS" (the linker's time stamp, UTC), as a FILETIME; none for
// text of another shape or an impossible date.
std::optional<std::uint64_t> FileTimeFromLinkDate(std::u16string_view linkDate);

// A REG_QWORD FILETIME of the older File entries: exactly 8 bytes.
std::optional<std::uint64_t> AmcacheFileTime(Bytes data);

} // namespace tw
