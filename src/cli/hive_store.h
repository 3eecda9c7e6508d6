#pragma once
// A registry hive file, read-only, behind the registry seam (hivex on Linux). Names and string
// data reach the caller as the ANSI interface delivers them: UTF-16 converted to the code page.
// Subkeys and values enumerate in the hive's own order. Opening a key for writing, creating a
// key and setting a value fail with access denied, as on a read-only key.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/code_page_text.h"
#include "cli/errors.h"
#include "runtime/registry_api.h"

namespace tw {

class HiveStore final : public RegistryApi {
public:
  // Raises SourceError: missing, unreadable, not a hive, damaged.
  HiveStore(const std::string& path, const AnsiCodePage& codePage);
  ~HiveStore() override;
  HiveStore(const HiveStore&) = delete;
  HiveStore& operator=(const HiveStore&) = delete;

  // The hive's top key; valid as long as the store, closing it does nothing.
  RegKey Root() const { return kRootHandle; }
  // Handles opened and not yet closed.
  size_t OpenHandleCount() const { return handles_.size(); }

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
  static constexpr RegKey kRootHandle = 0x10;
  struct Node;
  struct ValueEntry {
    std::string name;
    size_t handle;
  };

  Node* NodeOf(RegKey key) const;
  Node* NodeAt(size_t hiveNode) const;
  // Children and values are read once, on first use.
  void LoadChildren(Node& node) const;
  void LoadValues(Node& node) const;
  Node* Child(Node& node, std::string_view name) const;
  std::string Name(const char* utf8) const;
  // The value's data as the ANSI interface returns it.
  bool ValueData(size_t value, uint32_t* type, std::vector<uint8_t>& data) const;

  struct HiveDeleter {
    void operator()(void* hive) const;
  };
  std::unique_ptr<void, HiveDeleter> hive_;
  const AnsiCodePage& codePage_;
  mutable std::unordered_map<size_t, std::unique_ptr<Node>> nodes_;
  Node* root_ = nullptr;
  std::unordered_map<RegKey, Node*> handles_;
  RegKey nextHandle_ = 0x100;
};

} // namespace tw
