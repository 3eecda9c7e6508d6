#pragma once
// Which hive a file is: the kinds the command line mounts, and what a hive's top-level keys
// say it is, also for kinds it does not mount (a BCD or SECURITY hive), so that a hive given
// under the wrong kind is refused instead of read as made-up rows.

#include <optional>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace tw {

enum class HiveKind { NtUser, UsrClass, Software, System, Sam };

std::optional<HiveKind> HiveKindFromName(std::string_view name);
std::string_view HiveKindName(HiveKind kind);
// "ntuser, usrclass, software, system, sam".
std::string_view HiveKindNames();

// The names of every kind the hive's top-level keys fit ("system", "bcd", "security", ...),
// the likeliest first; empty when they fit none.
std::vector<std::string_view> HiveLooks(RegistryApi& store, RegKey root);
// The one mountable kind the hive looks like; none when it looks like none or like another.
std::optional<HiveKind> DetectHiveKind(RegistryApi& store, RegKey root);

} // namespace tw
