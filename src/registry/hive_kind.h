#pragma once
// Which hive a file is: the kinds the command line mounts, and what a hive's top-level keys
// say it is, also for kinds it does not mount (a BCD or SECURITY hive), so that a hive given
// under the wrong kind is refused instead of read as made-up rows.

#include <optional>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace tw {

enum class HiveKind { NtUser, UsrClass, Software, System, Sam, Amcache };

// Where an Amcache hive is mounted below HKEY_LOCAL_MACHINE. Windows loads Amcache.hve as an
// application hive, which has no path under HKEY_LOCAL_MACHINE, and no hive Windows mounts
// there is named with a file extension, so this cannot hide a key of a live registry.
inline constexpr std::string_view kAmcacheMount = "Amcache.hve";

std::optional<HiveKind> HiveKindFromName(std::string_view name);
std::string_view HiveKindName(HiveKind kind);
// "ntuser, usrclass, software, system, sam, amcache".
std::string_view HiveKindNames();

// The names of every kind the hive's top-level keys fit ("system", "bcd", "security", ...),
// the likeliest first; empty when they fit none.
std::vector<std::string_view> HiveLooks(RegistryApi& store, RegKey root);
// The one mountable kind the hive looks like; none when it looks like none or like another.
std::optional<HiveKind> DetectHiveKind(RegistryApi& store, RegKey root);

} // namespace tw
