#pragma once
// A registry hive file behind the registry seam, read by our own hive reader (src/hive) on
// every platform. Names and string data reach the caller as the ANSI interface delivers them:
// UTF-16 converted to the store's code page (UTF-8 loses nothing). Subkeys and values enumerate
// in the hive's own order; each key answers its last-write time. Opening a key for writing,
// creating a key and setting a value fail with access denied, as on a read-only key. A damaged
// key or value reads as missing and is counted.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "hive/hive.h"
#include "registry/registry_api.h"
#include "runtime/code_page.h"

namespace tw {

// Keys and values that could not be read (damaged cells), counted as the store meets them.
struct HiveDamage {
  uint32_t keys = 0;
  uint32_t values = 0;

  bool Any() const { return keys != 0 || values != 0; }
};

class HiveStore final : public RegistryApi {
public:
  // The hive and the code page outlive the store.
  HiveStore(const hive::Hive& hive, const CodePage& codePage);
  ~HiveStore() override;
  HiveStore(const HiveStore&) = delete;
  HiveStore& operator=(const HiveStore&) = delete;

  // The hive's top key; valid as long as the store, closing it does nothing.
  RegKey Root() const { return kRootHandle; }
  // Handles opened and not yet closed.
  size_t OpenHandleCount() const { return handles_.size(); }
  HiveDamage Damage() const { return damage_; }

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
  static constexpr RegKey kRootHandle = 0x10;
  struct Node;
  struct ValueEntry {
    std::string name;
    hive::ValueRecord record;
    bool counted = false; // its data was found unreadable and counted
  };

  Node* NodeOf(RegKey key) const;
  Node* NodeAt(const hive::KeyNode& key) const;
  // Children and values are read once, on first use.
  void LoadChildren(Node& node) const;
  void LoadValues(Node& node) const;
  Node* Child(Node& node, std::string_view name) const;
  std::string Name(const hive::NameRef& name) const;
  // The value's data as the ANSI interface returns it; false when it cannot be read.
  bool ValueData(ValueEntry& value, uint32_t* type, std::vector<uint8_t>& data) const;

  const hive::Hive& hive_;
  const CodePage& codePage_;
  mutable std::unordered_map<hive::CellRef, std::unique_ptr<Node>> nodes_;
  Node* root_ = nullptr;
  std::unordered_map<RegKey, Node*> handles_;
  RegKey nextHandle_ = 0x100;
  mutable HiveDamage damage_;
};

} // namespace tw
