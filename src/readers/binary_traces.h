#pragma once
// Decoders of the binary values Windows 7 to 11 keep their traces in: UserAssist usage records,
// shell item ID lists, MRUListEx orders, FILETIME and SYSTEMTIME stamps. They read only inside
// the span they are given; data they cannot make sense of gives Undecodable(size), never a
// guess.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readers/byte_fields.h"

namespace tw {

// "(undecodable: N bytes)".
std::string Undecodable(std::size_t size);

// A FILETIME (100 ns ticks since 1601-01-01 UTC) as "yyyy-mm-dd hh:nn:ss" UTC; "(never)" for 0.
std::string FormatFileTime(std::uint64_t fileTime);
// A FILETIME as ISO 8601 UTC, "yyyy-mm-ddThh:nn:ssZ", with the 100 ns ticks as seven decimals
// when there are any; empty for 0 (no time).
std::string IsoFileTime(std::uint64_t fileTime);
void AppendIsoFileTime(std::string& out, std::uint64_t fileTime);
// The FILETIME in the first eight bytes; none when there are fewer.
std::optional<std::uint64_t> FileTimeAt(Bytes data);
// A 16-byte SYSTEMTIME as "yyyy-mm-dd hh:nn:ss"; none when too short or out of range.
std::optional<std::string> FormatSystemTime(Bytes data);
// The same SYSTEMTIME as a FILETIME, milliseconds included; none where FormatSystemTime has none.
std::optional<std::uint64_t> FileTimeOfSystemTime(Bytes data);

// The usage record of one UserAssist entry on Windows 7 and later (72 bytes).
struct UserAssistRecord {
  std::uint32_t runCount = 0;
  std::uint32_t focusCount = 0;
  std::uint32_t focusTimeMs = 0;
  std::uint64_t lastRun = 0; // FILETIME
};
inline constexpr std::size_t kUserAssistRecordSize = 72;
std::optional<UserAssistRecord> DecodeUserAssistRecord(Bytes data);
// "Run Count N, Focus Count N, Focus Time hh:nn:ss, Last Run yyyy-mm-dd hh:nn:ss", or
// Undecodable for a record of another size.
std::string DescribeUserAssistRecord(Bytes data);
// A decoded UserAssist name whose leading known-folder GUID is replaced by the folder's name.
std::string ReplaceKnownFolderPrefix(std::string_view name);
// The name of a known folder or shell root GUID ("{...}", any case); empty when unknown.
std::string_view KnownFolderName(std::string_view guid);

// The entry numbers of an MRUListEx value in list order, up to the 0xFFFFFFFF terminator.
std::vector<std::uint32_t> DecodeMruListEx(Bytes data);

// A NUL-terminated UTF-16LE string at the start of the data, in the ANSI code page; `consumed`
// gets its length in bytes with the terminator. None when no terminator lies inside the data.
std::optional<std::string> DecodeUtf16String(Bytes data, std::size_t* consumed = nullptr);

// A shell item ID list as a path of the items' display names (shell_items.h), started afresh
// at a drive or a UNC name; an item not decoded is shown as "(item 0xNN)". Undecodable when an
// item's size runs past the end or the list has no terminator or never ends.
std::string DecodeItemIdList(Bytes data);
// Extends a path by one shell item as DecodeItemIdList does.
struct ShellItem;
void AppendShellItemToPath(std::string& path, const ShellItem& item);

// A LastVisitedPidlMRU value: the program's name (UTF-16) followed by an ID list of the folder.
// "program=folder path"'s two halves; Undecodable in `first` when the name has no terminator.
struct ProgramAndFolder {
  std::string program;
  std::string folder;
};
ProgramAndFolder DecodeLastVisitedEntry(Bytes data);

} // namespace tw
