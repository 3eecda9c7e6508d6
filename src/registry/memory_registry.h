#pragma once
// The portable registry store: an in-memory registry that behaves like the platform's. Key and
// value names compare without regard to case; subkeys enumerate sorted case-insensitively and
// values in creation order; data is kept as raw bytes with its type (strings keep their NULs);
// each key carries rights, so a key can be readable but not writable. HKEY_CLASSES_ROOT is the
// machine's SOFTWARE\Classes.
//
// Views, as on 64-bit Windows: the store stands for a 64-bit process (the default) or for a
// 32-bit one, whose keys below HKEY_LOCAL_MACHINE\SOFTWARE lie in SOFTWARE\Wow6432Node, but for
// the keys both views share. KEY_WOW64_64KEY and KEY_WOW64_32KEY choose a view explicitly.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry/registry_api.h"

namespace tw {

enum class KeyAccess { ReadWrite, ReadOnly, NoAccess };

class MemoryRegistry final : public RegistryApi {
public:
  MemoryRegistry();
  ~MemoryRegistry() override;

  // Sets the rights of a key (created when missing); direct, not counted as a registry call.
  void SetKeyAccess(RegKey root, std::string_view path, KeyAccess access);
  bool KeyExists(RegKey root, std::string_view path) const;
  // Sets a key's last-write time (a FILETIME; created when missing). Keys made otherwise have
  // none (0): regedit exports carry no times.
  void SetKeyTime(RegKey root, std::string_view path, uint64_t lastWrite);
  // Handles opened and not yet closed: a leak detector for tests.
  size_t OpenHandleCount() const { return handles_.size(); }

  // The view keys are opened in without a view flag. Switching after an import stands for a
  // file imported by the 64-bit registry editor and read by a 32-bit program.
  void SetDefaultView(RegistryView view) { view_ = view; }
  RegistryView DefaultView() const override { return view_; }

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
  struct Value {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
  };
  struct Key;
  struct SubKey {
    std::string name;
    std::unique_ptr<Key> key;
  };
  // Subkeys sorted by upper-cased name (enumeration order); values in creation order with an
  // index by upper-cased name, so that lookups and enumeration by position stay cheap.
  struct Key {
    std::vector<SubKey> subKeys;
    std::vector<Value> values;
    std::unordered_map<std::string, size_t> valueIndex;
    KeyAccess access = KeyAccess::ReadWrite;
    uint64_t lastWrite = 0;

    Key* FindSubKey(std::string_view name) const;
    Key* AddSubKey(std::string_view name);
    const Value* FindValue(std::string_view name) const;
    void SetValue(std::string_view name, uint32_t type, std::vector<uint8_t> data);
  };
  // The key at the path, made with its parents when missing; none for an unknown root.
  Key* MakePath(RegKey root, std::string_view path);
  // A handle remembers the path it was opened by, from its predefined key, so that keys opened
  // below it are redirected as a whole path.
  struct Handle {
    Key* key;
    uint32_t rights;
    RegKey root;
    std::vector<std::string> path;
  };

  enum class Creation { OpenOnly, CreateMissing };
  // Opens (or creates) a key below an open or predefined key and hands out a handle.
  RegStatus Locate(RegKey key, const char* subKey, Creation creation, uint32_t samDesired,
                   RegKey* result);
  Key* Resolve(RegKey key, uint32_t* rights) const;
  static bool Allows(const Key& key, uint32_t samDesired);
  RegKey NewHandle(Key* key, uint32_t rights, RegKey root, std::vector<std::string> path);

  Key classesRoot_;
  Key currentUser_;
  Key localMachine_;
  Key users_;
  std::unordered_map<RegKey, Handle> handles_;
  RegKey nextHandle_ = 0x100;
  RegistryView view_ = RegistryView::Native;
};

} // namespace tw
