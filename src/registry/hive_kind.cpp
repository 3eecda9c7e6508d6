#include "registry/hive_kind.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "runtime/ansi_text.h"

namespace tw {
namespace {

constexpr std::array<std::pair<std::string_view, HiveKind>, 6> kKinds = {{
    {"ntuser", HiveKind::NtUser},
    {"usrclass", HiveKind::UsrClass},
    {"software", HiveKind::Software},
    {"system", HiveKind::System},
    {"sam", HiveKind::Sam},
    {"amcache", HiveKind::Amcache},
}};

std::vector<std::string> SubKeyNames(RegistryApi& store, RegKey key) {
  std::vector<std::string> names;
  uint32_t count = 0;
  uint32_t longest = 0;
  if (store.QueryInfoKey(key, &count, &longest, nullptr, nullptr, nullptr) != reg::kSuccess)
    return names;
  std::string buffer(longest + 1, '\0');
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t length = longest + 1;
    if (store.EnumKeyEx(key, i, buffer.data(), &length) == reg::kSuccess)
      names.emplace_back(buffer.data(), length);
  }
  return names;
}

} // namespace

std::optional<HiveKind> HiveKindFromName(std::string_view name) {
  for (const auto& [text, kind] : kKinds)
    if (AsciiEqualIgnoringCase(text, name))
      return kind;
  return std::nullopt;
}

std::string_view HiveKindName(HiveKind kind) {
  for (const auto& [text, k] : kKinds)
    if (k == kind)
      return text;
  return "";
}

std::string_view HiveKindNames() {
  return "ntuser, usrclass, software, system, sam, amcache";
}

std::vector<std::string_view> HiveLooks(RegistryApi& store, RegKey root) {
  const std::vector<std::string> names = SubKeyNames(store, root);
  const auto has = [&](std::string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return AsciiEqualIgnoringCase(n, name); });
  };
  const bool controlSet = std::any_of(names.begin(), names.end(), [](const std::string& n) {
    return n.size() == 13 &&
           AsciiEqualIgnoringCase(std::string_view(n).substr(0, 10), "ControlSet");
  });
  std::vector<std::string_view> looks;
  if (has("Select") && controlSet)
    looks.push_back("system");
  if (has("Software") && (has("Control Panel") || has("AppEvents") || has("Environment")))
    looks.push_back("ntuser");
  if (has("Microsoft") && !has("Software"))
    looks.push_back("software");
  if (has("Local Settings") || has("CLSID") || has("*"))
    looks.push_back("usrclass");
  // The SECURITY hive keeps a SAM key of its own beside its policy.
  if (has("Policy") && has("RXACT"))
    looks.push_back("security");
  else if (has("SAM"))
    looks.push_back("sam");
  if (has("Description") && has("Objects"))
    looks.push_back("bcd");
  if (has("Root") && names.size() <= 2)
    looks.push_back("amcache");
  if (has("CanonicalData") || has("DerivedData"))
    looks.push_back("components");
  if (has("DriverDatabase"))
    looks.push_back("drivers");
  return looks;
}

std::optional<HiveKind> DetectHiveKind(RegistryApi& store, RegKey root) {
  const std::vector<std::string_view> looks = HiveLooks(store, root);
  if (looks.empty())
    return std::nullopt;
  return HiveKindFromName(looks.front());
}

} // namespace tw
