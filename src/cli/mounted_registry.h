#pragma once
// Offline hives put where Windows mounts them, behind the registry seam: a user's NTUSER.DAT
// as HKEY_CURRENT_USER, its UsrClass.dat as HKEY_CURRENT_USER\Software\Classes, SOFTWARE as
// HKEY_LOCAL_MACHINE\SOFTWARE (its Classes also as HKEY_CLASSES_ROOT, as the readers see it),
// SYSTEM as HKEY_LOCAL_MACHINE\SYSTEM with CurrentControlSet resolved through Select\Current.
// Every other key comes from a fallback store (keys imported from regedit files). The deepest
// mount point under a path wins; enumerating a key above a mount point does not list it.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/registry_api.h"

namespace tw {

enum class HiveKind { NtUser, UsrClass, Software, System };

std::optional<HiveKind> HiveKindFromName(std::string_view name);
std::string_view HiveKindName(HiveKind kind);
// What a hive's top-level keys say it is; nothing when they fit no kind.
std::optional<HiveKind> DetectHiveKind(RegistryApi& store, RegKey root);

class MountedRegistry final : public RegistryApi {
public:
  explicit MountedRegistry(RegistryApi& fallback) : fallback_(fallback) {}
  ~MountedRegistry() override;
  MountedRegistry(const MountedRegistry&) = delete;
  MountedRegistry& operator=(const MountedRegistry&) = delete;

  // Mounts a hive whose top key in `store` is `root`; the store outlives this registry.
  void Mount(HiveKind kind, RegistryApi& store, RegKey root);

protected:
  RegStatus DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired,
                        RegKey* result) override;
  RegStatus DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen, uint32_t* values,
                           uint32_t* maxValueNameLen, uint32_t* maxValueLen) override;
  RegStatus DoEnumKeyEx(RegKey key, uint32_t index, char* name, uint32_t* nameLen) override;
  RegStatus DoEnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLen, uint32_t* type,
                        uint8_t* data, uint32_t* dataLen) override;
  RegStatus DoQueryValueEx(RegKey key, const char* valueName, uint32_t* type, uint8_t* data,
                           uint32_t* dataLen) override;
  RegStatus DoCreateKeyEx(RegKey key, const char* subKey, uint32_t options, uint32_t samDesired,
                          RegKey* result) override;
  RegStatus DoSetValueEx(RegKey key, const char* valueName, uint32_t type, const uint8_t* data,
                         uint32_t size) override;
  RegStatus DoCloseKey(RegKey key) override;

private:
  struct MountPoint {
    RegKey root;
    std::vector<std::string> path; // components below the predefined key
    RegistryApi* store;
    RegKey base;
    bool ownsBase;
  };
  struct Handle {
    RegistryApi* store;
    RegKey inner;
    RegKey root;
    std::vector<std::string> path;
  };
  struct Target {
    RegistryApi* store;
    RegKey from;
    std::string subKey;
    RegKey root;
    std::vector<std::string> path;
  };
  enum class Creation { OpenOnly, CreateMissing };

  void AddMount(RegKey root, std::string_view path, RegistryApi& store, RegKey base, bool ownsBase);
  std::optional<Target> Locate(RegKey key, const char* subKey) const;
  // The store and key a call on `key` goes to; nothing for an unknown handle.
  std::optional<std::pair<RegistryApi*, RegKey>> Inner(RegKey key) const;
  RegStatus OpenOrCreate(RegKey key, const char* subKey, uint32_t options, uint32_t samDesired,
                         RegKey* result, Creation creation);

  RegistryApi& fallback_;
  std::vector<MountPoint> mounts_;
  std::unordered_map<RegKey, Handle> handles_;
  RegKey nextHandle_ = 0x1000;
};

} // namespace tw
