#pragma once
// What the times rows carry mean: the kinds of event the timeline names them by (Timesketch's
// timestamp_desc). One wording per meaning across the readers.

#include <string_view>

namespace tw::when {

inline constexpr std::string_view kLastRun = "Last Run";
// A most-recently-used list's key is written when its order changes, so its last-write time is
// the time of the list's first entry.
inline constexpr std::string_view kMostRecentEntry = "Most Recent Entry (key written)";
inline constexpr std::string_view kKeyWritten = "Key Written";
inline constexpr std::string_view kUrlTyped = "URL Typed";
inline constexpr std::string_view kRegeditClosed = "Regedit Last Key Saved (key written)";
inline constexpr std::string_view kLastConnection = "Last Connection (key written)";
inline constexpr std::string_view kFirstConnected = "First Connected";
inline constexpr std::string_view kLastConnected = "Last Connected";
inline constexpr std::string_view kFirstConnectedLocal = "First Connected (local time)";
inline constexpr std::string_view kLastConnectedLocal = "Last Connected (local time)";
inline constexpr std::string_view kDeviceInstalled = "Device Installed";
inline constexpr std::string_view kDeviceFirstInstalled = "Device First Installed";
inline constexpr std::string_view kDeviceLastArrival = "Device Last Arrival";
inline constexpr std::string_view kDeviceLastRemoval = "Device Last Removal";
inline constexpr std::string_view kFileModified = "File Modified";
inline constexpr std::string_view kFileCreated = "File Created";
inline constexpr std::string_view kFileAccessed = "File Accessed";
inline constexpr std::string_view kFileModifiedAgain = "File Modified (value 17)";
inline constexpr std::string_view kItemCreated = "Created (shell item)";
inline constexpr std::string_view kItemModified = "Modified (shell item)";
inline constexpr std::string_view kItemAccessed = "Accessed (shell item)";
inline constexpr std::string_view kCacheEntryUpdated = "Cache Entry Updated";
inline constexpr std::string_view kLinked = "Linked (compile time)";
inline constexpr std::string_view kInstalled = "Installed";
inline constexpr std::string_view kFolderOpened = "Folder Opened (most recent in its parent)";
inline constexpr std::string_view kLastLogon = "Last Logon";
inline constexpr std::string_view kPasswordSet = "Password Last Set";
inline constexpr std::string_view kAccountExpires = "Account Expires";
inline constexpr std::string_view kLastFailedLogon = "Last Failed Logon";
inline constexpr std::string_view kAccountCreated = "Account Created (Names key written)";

} // namespace tw::when
