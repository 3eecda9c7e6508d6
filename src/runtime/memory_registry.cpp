#include "runtime/memory_registry.h"

#include <algorithm>
#include <cstring>

namespace tw {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

// Splits a key path into its components. Empty components inside the path make it invalid; a
// trailing backslash is tolerated as the platform does.
bool SplitPath(std::string_view path, std::vector<std::string>& parts) {
  parts.clear();
  size_t start = 0;
  while (start < path.size()) {
    const size_t end = path.find('\\', start);
    const std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
    if (part.empty())
      return false;
    parts.emplace_back(part);
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  return true;
}

RegStatus CopyName(const std::string& source, char* name, uint32_t* nameLen) {
  if (name == nullptr || nameLen == nullptr)
    return reg::kInvalidParameter;
  if (source.size() + 1 > *nameLen)
    return reg::kMoreData;
  std::memcpy(name, source.c_str(), source.size() + 1);
  *nameLen = static_cast<uint32_t>(source.size());
  return reg::kSuccess;
}

RegStatus CopyData(const std::vector<uint8_t>& source, uint8_t* data, uint32_t* dataLen) {
  if (dataLen == nullptr)
    return data == nullptr ? reg::kSuccess : reg::kInvalidParameter;
  const uint32_t size = static_cast<uint32_t>(source.size());
  if (data != nullptr) {
    if (*dataLen < size) {
      *dataLen = size;
      return reg::kMoreData;
    }
    if (size > 0)
      std::memcpy(data, source.data(), size);
  }
  *dataLen = size;
  return reg::kSuccess;
}

} // namespace

bool MemoryRegistry::NameLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Upper(x)) < static_cast<unsigned char>(Upper(y));
  });
}

MemoryRegistry::MemoryRegistry() = default;
MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Key* MemoryRegistry::Resolve(RegKey key, uint32_t* rights) const {
  auto* self = const_cast<MemoryRegistry*>(this);
  *rights = reg::kAllAccess;
  switch (key) {
  case reg::kCurrentUser:
    return &self->currentUser_;
  case reg::kLocalMachine:
    return &self->localMachine_;
  case reg::kUsers:
    return &self->users_;
  case reg::kClassesRoot: {
    // The machine's class registrations, created on first use.
    Key* software = &self->localMachine_;
    for (const char* part : {"SOFTWARE", "Classes"}) {
      auto& slot = software->subKeys[part];
      if (!slot)
        slot = std::make_unique<Key>();
      software = slot.get();
    }
    return software;
  }
  default:
    break;
  }
  const auto it = handles_.find(key);
  if (it == handles_.end())
    return nullptr;
  *rights = it->second.rights;
  return it->second.key;
}

bool MemoryRegistry::Allows(const Key& key, uint32_t samDesired) {
  switch (key.access) {
  case KeyAccess::ReadWrite:
    return true;
  case KeyAccess::ReadOnly:
    return (samDesired & reg::kWriteRights) == 0;
  case KeyAccess::NoAccess:
    return false;
  }
  return false;
}

RegKey MemoryRegistry::NewHandle(Key* key, uint32_t rights) {
  const RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(handle, Handle{key, rights});
  return handle;
}

const MemoryRegistry::Value* MemoryRegistry::FindValue(const Key& key, std::string_view name) const {
  for (const Value& v : key.values)
    if (SameName(v.name, name))
      return &v;
  return nullptr;
}

void MemoryRegistry::SetKeyAccess(RegKey root, std::string_view path, KeyAccess access) {
  uint32_t rights = 0;
  Key* key = Resolve(root, &rights);
  std::vector<std::string> parts;
  if (key == nullptr || !SplitPath(path, parts))
    return;
  for (const std::string& part : parts) {
    auto& slot = key->subKeys[part];
    if (!slot)
      slot = std::make_unique<Key>();
    key = slot.get();
  }
  key->access = access;
}

bool MemoryRegistry::KeyExists(RegKey root, std::string_view path) const {
  uint32_t rights = 0;
  const Key* key = Resolve(root, &rights);
  std::vector<std::string> parts;
  if (key == nullptr || !SplitPath(path, parts))
    return false;
  for (const std::string& part : parts) {
    const auto it = key->subKeys.find(part);
    if (it == key->subKeys.end())
      return false;
    key = it->second.get();
  }
  return true;
}

RegStatus MemoryRegistry::DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired, RegKey* result) {
  if (result == nullptr)
    return reg::kInvalidParameter;
  uint32_t rights = 0;
  Key* node = Resolve(key, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  std::vector<std::string> parts;
  if (!SplitPath(subKey != nullptr ? subKey : "", parts))
    return reg::kFileNotFound;
  for (const std::string& part : parts) {
    const auto it = node->subKeys.find(part);
    if (it == node->subKeys.end())
      return reg::kFileNotFound;
    node = it->second.get();
  }
  if (!Allows(*node, samDesired))
    return reg::kAccessDenied;
  *result = NewHandle(node, samDesired);
  return reg::kSuccess;
}

RegStatus MemoryRegistry::DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen,
                                         uint32_t* values, uint32_t* maxValueNameLen,
                                         uint32_t* maxValueLen) {
  uint32_t rights = 0;
  const Key* node = Resolve(key, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  if ((rights & reg::kQueryValue) == 0)
    return reg::kAccessDenied;
  size_t longestKey = 0;
  for (const auto& entry : node->subKeys)
    longestKey = std::max(longestKey, entry.first.size());
  size_t longestName = 0;
  size_t longestData = 0;
  for (const Value& v : node->values) {
    longestName = std::max(longestName, v.name.size());
    longestData = std::max(longestData, v.data.size());
  }
  if (subKeys != nullptr)
    *subKeys = static_cast<uint32_t>(node->subKeys.size());
  if (maxSubKeyLen != nullptr)
    *maxSubKeyLen = static_cast<uint32_t>(longestKey);
  if (values != nullptr)
    *values = static_cast<uint32_t>(node->values.size());
  if (maxValueNameLen != nullptr)
    *maxValueNameLen = static_cast<uint32_t>(longestName);
  if (maxValueLen != nullptr)
    *maxValueLen = static_cast<uint32_t>(longestData);
  return reg::kSuccess;
}

RegStatus MemoryRegistry::DoEnumKeyEx(RegKey key, uint32_t index, char* name, uint32_t* nameLen) {
  uint32_t rights = 0;
  const Key* node = Resolve(key, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  if ((rights & reg::kEnumerateSubKeys) == 0)
    return reg::kAccessDenied;
  if (index >= node->subKeys.size())
    return reg::kNoMoreItems;
  auto it = node->subKeys.begin();
  std::advance(it, index);
  return CopyName(it->first, name, nameLen);
}

RegStatus MemoryRegistry::DoEnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLen,
                                      uint32_t* type, uint8_t* data, uint32_t* dataLen) {
  uint32_t rights = 0;
  const Key* node = Resolve(key, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  if ((rights & reg::kQueryValue) == 0)
    return reg::kAccessDenied;
  if (index >= node->values.size())
    return reg::kNoMoreItems;
  const Value& v = node->values[index];
  if (const RegStatus s = CopyName(v.name, name, nameLen); s != reg::kSuccess)
    return s;
  if (type != nullptr)
    *type = v.type;
  return CopyData(v.data, data, dataLen);
}

RegStatus MemoryRegistry::DoQueryValueEx(RegKey key, const char* valueName, uint32_t* type,
                                         uint8_t* data, uint32_t* dataLen) {
  uint32_t rights = 0;
  const Key* node = Resolve(key, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  if ((rights & reg::kQueryValue) == 0)
    return reg::kAccessDenied;
  const Value* v = FindValue(*node, valueName != nullptr ? valueName : "");
  if (v == nullptr)
    return reg::kFileNotFound;
  if (type != nullptr)
    *type = v->type;
  return CopyData(v->data, data, dataLen);
}

RegStatus MemoryRegistry::DoCreateKeyEx(RegKey key, const char* subKey, uint32_t /*options*/,
                                        uint32_t samDesired, RegKey* result) {
  if (result == nullptr)
    return reg::kInvalidParameter;
  uint32_t rights = 0;
  Key* node = Resolve(key, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  std::vector<std::string> parts;
  if (!SplitPath(subKey != nullptr ? subKey : "", parts))
    return reg::kFileNotFound;
  for (const std::string& part : parts) {
    auto it = node->subKeys.find(part);
    if (it == node->subKeys.end()) {
      if (node->access != KeyAccess::ReadWrite)
        return reg::kAccessDenied;
      it = node->subKeys.emplace(part, std::make_unique<Key>()).first;
    }
    node = it->second.get();
  }
  if (!Allows(*node, samDesired))
    return reg::kAccessDenied;
  *result = NewHandle(node, samDesired);
  return reg::kSuccess;
}

RegStatus MemoryRegistry::DoSetValueEx(RegKey key, const char* valueName, uint32_t type,
                                       const uint8_t* data, uint32_t size) {
  uint32_t rights = 0;
  Key* node = Resolve(key, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  if ((rights & reg::kSetValue) == 0)
    return reg::kAccessDenied;
  if (data == nullptr && size > 0)
    return reg::kInvalidParameter;
  const std::string name = valueName != nullptr ? valueName : "";
  std::vector<uint8_t> bytes(data, data + size);
  for (Value& v : node->values) {
    if (SameName(v.name, name)) {
      v.type = type;
      v.data = std::move(bytes);
      return reg::kSuccess;
    }
  }
  node->values.push_back(Value{name, type, std::move(bytes)});
  return reg::kSuccess;
}

RegStatus MemoryRegistry::DoCloseKey(RegKey key) {
  if (key >= reg::kClassesRoot && key <= reg::kUsers)
    return reg::kSuccess;
  return handles_.erase(key) == 1 ? reg::kSuccess : reg::kInvalidHandle;
}

} // namespace tw
