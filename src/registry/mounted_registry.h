#pragma once
// Offline hives put where Windows mounts them, behind the registry seam: a user's NTUSER.DAT
// as HKEY_CURRENT_USER, its UsrClass.dat as HKEY_CURRENT_USER\Software\Classes, SOFTWARE as
// HKEY_LOCAL_MACHINE\SOFTWARE (its Classes also as HKEY_CLASSES_ROOT, as the readers see it),
// SYSTEM as HKEY_LOCAL_MACHINE\SYSTEM with CurrentControlSet resolved through Select\Current,
// SAM as HKEY_LOCAL_MACHINE\SAM, Amcache.hve as HKEY_LOCAL_MACHINE\Amcache.hve (kAmcacheMount).
// Every other key comes from a fallback store (keys imported from regedit files). The deepest
// mount point under a path wins; enumerating a key above a mount point does not list it. Keys
// of a SOFTWARE hive opened in the 32-bit view are its Wow6432Node keys, as 64-bit Windows shows
// them to 32-bit programs (the keys both views share stay where they are).

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry/hive_kind.h"
#include "registry/registry_api.h"

namespace tw {

class MountedRegistry final : public RegistryApi {
public:
  explicit MountedRegistry(RegistryApi& fallback) : fallback_(fallback) {}
  ~MountedRegistry() override;
  MountedRegistry(const MountedRegistry&) = delete;
  MountedRegistry& operator=(const MountedRegistry&) = delete;

  // Mounts a hive whose top key in `store` is `root`; the store outlives this registry.
  void Mount(HiveKind kind, RegistryApi& store, RegKey root);

  // A key's path as an examiner names it: the root's short name ("HKCU", "HKLM", "HKCR") and
  // the path, CurrentControlSet given as the control set it stands for.
  std::string DisplayPath(RegKey root, std::string_view path) const;
  // The hive store a key's path lies in; nullptr for the fallback store.
  const RegistryApi* StoreOf(RegKey root, std::string_view path) const;

protected:
  RegStatus DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired,
                        RegKey* result) override;
  RegStatus DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen, uint32_t* values,
                           uint32_t* maxValueNameLen, uint32_t* maxValueLen,
                           uint64_t* lastWriteTime) override;
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
    std::vector<std::string> path;    // components below the predefined key
    std::vector<std::string> shownAs; // the mount point's path as it is named in the hive
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
  enum class View { Native, Wow32 };

  void AddMount(RegKey root, std::string_view path, RegistryApi& store, RegKey base, bool ownsBase,
                std::string_view shownAs = {});
  std::optional<Target> Locate(RegKey key, const char* subKey, View view = View::Native) const;
  // The deepest mount point the path lies under; nullptr when none.
  const MountPoint* MountOf(RegKey root, const std::vector<std::string>& parts) const;
  // Whether a hive is mounted at exactly this path.
  bool MountedAt(RegKey root, std::string_view path) const;
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
