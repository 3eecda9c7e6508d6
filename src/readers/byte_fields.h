#pragma once
// Bounds-checked little-endian fields, GUIDs, UTF-16 text and date conversions shared by the
// decoders of binary evidence. Every reader takes the span and an offset and never reads past
// the span's end: callers check with Fits first or take the optional result.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "runtime/little_endian.h"

namespace tw {

// FILETIME counts 100-ns ticks from 1601-01-01 (UTC).
inline constexpr std::uint64_t kTicksPerSecond = 10'000'000;
inline constexpr std::int64_t kDaysFrom1601To1970 = 134'774;

using Bytes = std::span<const std::uint8_t>;

// Whether `size` bytes starting at `at` lie inside the data.
constexpr bool Fits(Bytes data, std::size_t at, std::size_t size) {
  return at <= data.size() && size <= data.size() - at;
}

// Little-endian integers; the caller has checked that they fit.
inline std::uint16_t Le16(Bytes d, std::size_t at) { return le::Load16(d.data() + at); }
inline std::uint32_t Le32(Bytes d, std::size_t at) { return le::Load32(d.data() + at); }
inline std::uint64_t Le64(Bytes d, std::size_t at) { return le::Load64(d.data() + at); }

// The GUID stored at `at` as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; empty when it does not fit.
std::string GuidAt(Bytes data, std::size_t at);

// The NUL-terminated UTF-16LE text at `at`; `end` gets the offset just past the terminator.
// None when no terminator lies inside the data.
std::optional<std::u16string> Utf16ZAt(Bytes data, std::size_t at, std::size_t* end = nullptr);
// `byteCount` bytes of UTF-16LE text at `at` (an odd last byte is dropped), cut at the first NUL;
// none when they do not fit.
std::optional<std::u16string> Utf16At(Bytes data, std::size_t at, std::size_t byteCount);
// The NUL-terminated 8-bit text at `at`, each byte kept as it is stored (in the writer's code
// page); none without a terminator inside the data.
std::optional<std::string> BytesZAt(Bytes data, std::size_t at, std::size_t* end = nullptr);
// Each byte of 8-bit text as one UTF-16 unit: nothing is lost, and the one conversion to a
// code page later can tell these units apart from decoded UTF-16 by the item's text kind.
std::u16string WidenBytes(std::string_view text);

// The FILETIME of a UTC calendar date and time; none for an impossible date or one before 1601.
std::optional<std::uint64_t> FileTimeFromCivil(int year, int month, int day, int hour, int minute,
                                               int second);
// A FAT date and time (the date word first, as shell items store them; 2-second steps) as a
// FILETIME; 0 for the empty stamp or an impossible date.
std::uint64_t FileTimeFromFat(std::uint16_t date, std::uint16_t time);

} // namespace tw
