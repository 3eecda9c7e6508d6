#include "registry/memory_registry.h"

#include <algorithm>
#include <cstring>

#include "registry/registry_buffers.h"
#include "registry/wow32_view.h"
#include "runtime/ansi_text.h"

namespace tw {
namespace {

bool NameLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiUpper(x)) < static_cast<unsigned char>(AsciiUpper(y));
  });
}

// Splits a key path into its components. Empty components inside the path make it invalid; a
// trailing backslash is tolerated as the platform does.
bool SplitPath(std::string_view path, std::vector<std::string>& parts) {
  parts.clear();
  size_t start = 0;
  while (start < path.size()) {
    const size_t end = path.find('\\', start);
    const std::string_view part =
        path.substr(start, end == std::string_view::npos ? end : end - start);
    if (part.empty())
      return false;
    parts.emplace_back(part);
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  return true;
}

} // namespace

MemoryRegistry::Key* MemoryRegistry::Key::FindSubKey(std::string_view name) const {
  const auto it =
      std::lower_bound(subKeys.begin(), subKeys.end(), name,
                       [](const SubKey& s, std::string_view n) { return NameLess(s.name, n); });
  if (it == subKeys.end() || NameLess(name, it->name))
    return nullptr;
  return it->key.get();
}

MemoryRegistry::Key* MemoryRegistry::Key::AddSubKey(std::string_view name) {
  const auto it =
      std::lower_bound(subKeys.begin(), subKeys.end(), name,
                       [](const SubKey& s, std::string_view n) { return NameLess(s.name, n); });
  if (it != subKeys.end() && !NameLess(name, it->name))
    return it->key.get();
  return subKeys.insert(it, SubKey{std::string(name), std::make_unique<Key>()})->key.get();
}

const MemoryRegistry::Value* MemoryRegistry::Key::FindValue(std::string_view name) const {
  const auto it = valueIndex.find(AsciiUpperCase(name));
  return it == valueIndex.end() ? nullptr : &values[it->second];
}

void MemoryRegistry::Key::SetValue(std::string_view name, uint32_t type,
                                   std::vector<uint8_t> data) {
  const auto [it, added] = valueIndex.emplace(AsciiUpperCase(name), values.size());
  if (added) {
    values.push_back(Value{std::string(name), type, std::move(data)});
  } else {
    // An existing value keeps its name and its place.
    values[it->second].type = type;
    values[it->second].data = std::move(data);
  }
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
    return self->localMachine_.AddSubKey("SOFTWARE")->AddSubKey("Classes");
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

RegKey MemoryRegistry::NewHandle(Key* key, uint32_t rights, RegKey root,
                                 std::vector<std::string> path) {
  const RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(handle, Handle{key, rights, root, std::move(path)});
  return handle;
}

MemoryRegistry::Key* MemoryRegistry::MakePath(RegKey root, std::string_view path) {
  uint32_t rights = 0;
  Key* key = Resolve(root, &rights);
  std::vector<std::string> parts;
  if (key == nullptr || !SplitPath(path, parts))
    return nullptr;
  for (const std::string& part : parts)
    key = key->AddSubKey(part);
  return key;
}

void MemoryRegistry::SetKeyAccess(RegKey root, std::string_view path, KeyAccess access) {
  if (Key* key = MakePath(root, path))
    key->access = access;
}

void MemoryRegistry::SetKeyTime(RegKey root, std::string_view path, uint64_t lastWrite) {
  if (Key* key = MakePath(root, path))
    key->lastWrite = lastWrite;
}

bool MemoryRegistry::KeyExists(RegKey root, std::string_view path) const {
  uint32_t rights = 0;
  const Key* key = Resolve(root, &rights);
  std::vector<std::string> parts;
  if (key == nullptr || !SplitPath(path, parts))
    return false;
  for (const std::string& part : parts) {
    key = key->FindSubKey(part);
    if (key == nullptr)
      return false;
  }
  return true;
}

RegStatus MemoryRegistry::Locate(RegKey key, const char* subKey, Creation creation,
                                 uint32_t samDesired, RegKey* result) {
  if (result == nullptr)
    return reg::kInvalidParameter;
  RegKey root = key;
  std::vector<std::string> path;
  if (const auto it = handles_.find(key); it != handles_.end()) {
    root = it->second.root;
    path = it->second.path;
  }
  uint32_t rights = 0;
  Key* node = Resolve(root, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  std::vector<std::string> parts;
  if (!SplitPath(subKey != nullptr ? subKey : "", parts))
    return reg::kFileNotFound;
  path.insert(path.end(), parts.begin(), parts.end());
  const bool wow32 = (samDesired & reg::kWow64_64Key) == 0 &&
                     ((samDesired & reg::kWow64_32Key) != 0 || view_ == RegistryView::Wow32);
  const std::vector<std::string> walk =
      wow32 && root == reg::kLocalMachine ? InWow32View(path) : path;
  for (const std::string& part : walk) {
    Key* child = node->FindSubKey(part);
    if (child == nullptr) {
      if (creation == Creation::OpenOnly)
        return reg::kFileNotFound;
      // Creating a subkey needs write permission on its parent.
      if (node->access != KeyAccess::ReadWrite)
        return reg::kAccessDenied;
      child = node->AddSubKey(part);
    }
    node = child;
  }
  if (!Allows(*node, samDesired))
    return reg::kAccessDenied;
  *result = NewHandle(node, samDesired, root, std::move(path));
  return reg::kSuccess;
}

RegStatus MemoryRegistry::DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired,
                                      RegKey* result) {
  return Locate(key, subKey, Creation::OpenOnly, samDesired, result);
}

RegStatus MemoryRegistry::DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen,
                                         uint32_t* values, uint32_t* maxValueNameLen,
                                         uint32_t* maxValueLen, uint64_t* lastWriteTime) {
  uint32_t rights = 0;
  const Key* node = Resolve(key, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  if ((rights & reg::kQueryValue) == 0)
    return reg::kAccessDenied;
  size_t longestKey = 0;
  for (const SubKey& entry : node->subKeys)
    longestKey = std::max(longestKey, entry.name.size());
  size_t longestName = 0;
  size_t longestData = 0;
  for (const Value& v : node->values) {
    longestName = std::max(longestName, v.name.size());
    longestData = std::max(longestData, v.data.size());
  }
  reg::PutKeyInfo({node->subKeys.size(), longestKey, node->values.size(), longestName,
                   longestData, node->lastWrite},
                  subKeys, maxSubKeyLen, values, maxValueNameLen, maxValueLen, lastWriteTime);
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
  return reg::CopyName(node->subKeys[index].name, name, nameLen);
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
  if (const RegStatus s = reg::CopyName(v.name, name, nameLen); s != reg::kSuccess)
    return s;
  if (type != nullptr)
    *type = v.type;
  return reg::CopyData(v.data, data, dataLen);
}

RegStatus MemoryRegistry::DoQueryValueEx(RegKey key, const char* valueName, uint32_t* type,
                                         uint8_t* data, uint32_t* dataLen) {
  uint32_t rights = 0;
  const Key* node = Resolve(key, &rights);
  if (node == nullptr)
    return reg::kInvalidHandle;
  if ((rights & reg::kQueryValue) == 0)
    return reg::kAccessDenied;
  const Value* v = node->FindValue(valueName != nullptr ? valueName : "");
  if (v == nullptr)
    return reg::kFileNotFound;
  if (type != nullptr)
    *type = v->type;
  return reg::CopyData(v->data, data, dataLen);
}

RegStatus MemoryRegistry::DoCreateKeyEx(RegKey key, const char* subKey, uint32_t /*options*/,
                                        uint32_t samDesired, RegKey* result) {
  return Locate(key, subKey, Creation::CreateMissing, samDesired, result);
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
  node->SetValue(valueName != nullptr ? valueName : "", type,
                 std::vector<uint8_t>(data, data + size));
  return reg::kSuccess;
}

RegStatus MemoryRegistry::DoCloseKey(RegKey key) {
  if (key >= reg::kClassesRoot && key <= reg::kUsers)
    return reg::kSuccess;
  return handles_.erase(key) == 1 ? reg::kSuccess : reg::kInvalidHandle;
}

} // namespace tw
