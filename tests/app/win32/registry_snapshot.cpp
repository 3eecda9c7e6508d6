#include "registry_snapshot.h"

#include <string>
#include <vector>

namespace tw::test {
namespace {

void Walk(HKEY key, const std::string& path, RegistrySnapshot& out) {
  char name[1024];
  static std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = sizeof(name);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    const LONG status = RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      out[path + "|" + std::string(name, nameLen)] =
          std::to_string(type) + "|<" + std::to_string(size) + " bytes>";
      continue;
    }
    // Also ends on keys that refuse enumeration (the performance counters' texts).
    if (status != ERROR_SUCCESS)
      break;
    out[path + "|" + std::string(name, nameLen)] =
        std::to_string(type) + "|" + std::string(reinterpret_cast<char*>(data.data()), size);
  }
  std::vector<std::string> subKeys;
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = sizeof(name);
    if (RegEnumKeyExA(key, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    subKeys.emplace_back(name, nameLen);
  }
  for (const std::string& sub : subKeys) {
    HKEY child = nullptr;
    if (RegOpenKeyExA(key, sub.c_str(), 0, KEY_READ, &child) == ERROR_SUCCESS) {
      Walk(child, path + "\\" + sub, out);
      RegCloseKey(child);
    }
  }
}

} // namespace

RegistrySnapshot Snapshot() {
  RegistrySnapshot snapshot;
  Walk(HKEY_CURRENT_USER, "HKCU", snapshot);
  Walk(HKEY_LOCAL_MACHINE, "HKLM", snapshot);
  // The service manager counts the services it starts there; one the platform starts on demand
  // during a session is not the program's doing.
  std::erase_if(snapshot, [](const auto& entry) {
    return entry.first.find("\\Control\\ServiceCurrent|") != std::string::npos;
  });
  return snapshot;
}

std::vector<std::string> Changes(const RegistrySnapshot& before, const RegistrySnapshot& after) {
  std::vector<std::string> changes;
  for (const auto& [name, data] : after)
    if (auto it = before.find(name); it == before.end() || it->second != data)
      changes.push_back(name + " = " + data);
  for (const auto& [name, data] : before)
    if (after.find(name) == after.end())
      changes.push_back(name + " removed");
  return changes;
}

void SettleDisplayDriver() {
  DestroyWindow(
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
}

} // namespace tw::test
