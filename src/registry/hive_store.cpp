#include "registry/hive_store.h"

#include <algorithm>

#include "registry/registry_buffers.h"
#include "runtime/ansi_text.h"

namespace tw {
namespace {

bool IsString(uint32_t type) {
  return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz;
}

} // namespace

struct HiveStore::Node {
  hive::KeyNode key;
  bool childrenLoaded = false;
  std::vector<std::pair<std::string, hive::KeyNode>> children;
  std::unordered_map<std::string, size_t> childIndex; // upper-cased name → position
  uint32_t longestChild = 0;
  bool valuesLoaded = false;
  std::vector<ValueEntry> values;
  std::unordered_map<std::string, size_t> valueIndex;
  uint32_t longestValueName = 0;
  uint32_t longestData = 0;
};

HiveStore::HiveStore(const hive::Hive& hive, const CodePage& codePage)
    : hive_(hive), codePage_(codePage) {
  const auto root = hive_.Key(hive_.Root());
  if (!root)
    throw hive::HiveError("damaged (no top key)");
  root_ = NodeAt(*root);
}

HiveStore::~HiveStore() = default;

HiveStore::Node* HiveStore::NodeAt(const hive::KeyNode& key) const {
  std::unique_ptr<Node>& slot = nodes_[key.cell];
  if (!slot) {
    slot = std::make_unique<Node>();
    slot->key = key;
  }
  return slot.get();
}

HiveStore::Node* HiveStore::NodeOf(RegKey key) const {
  if (key == kRootHandle)
    return root_;
  const auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : it->second;
}

std::string HiveStore::Name(const hive::NameRef& name) const {
  return codePage_.FromUtf16(name.ToUtf16());
}

void HiveStore::LoadChildren(Node& node) const {
  if (node.childrenLoaded)
    return;
  node.childrenLoaded = true;
  std::vector<hive::KeyNode> children;
  damage_.keys += hive_.Subkeys(node.key, children);
  node.children.reserve(children.size());
  for (const hive::KeyNode& child : children) {
    std::string name = Name(child.name);
    node.longestChild = std::max(node.longestChild, static_cast<uint32_t>(name.size()));
    node.childIndex.emplace(AsciiUpperCase(name), node.children.size());
    node.children.emplace_back(std::move(name), child);
  }
}

void HiveStore::LoadValues(Node& node) const {
  if (node.valuesLoaded)
    return;
  node.valuesLoaded = true;
  std::vector<hive::ValueRecord> values;
  damage_.values += hive_.Values(node.key, values);
  node.values.reserve(values.size());
  for (const hive::ValueRecord& value : values) {
    std::string name = Name(value.name);
    node.longestValueName = std::max(node.longestValueName, static_cast<uint32_t>(name.size()));
    node.longestData = std::max(node.longestData, value.dataSize);
    node.valueIndex.emplace(AsciiUpperCase(name), node.values.size());
    node.values.push_back(ValueEntry{std::move(name), value, false});
  }
}

HiveStore::Node* HiveStore::Child(Node& node, std::string_view name) const {
  LoadChildren(node);
  const auto it = node.childIndex.find(AsciiUpperCase(name));
  return it == node.childIndex.end() ? nullptr : NodeAt(node.children[it->second].second);
}

bool HiveStore::ValueData(ValueEntry& value, uint32_t* type, std::vector<uint8_t>& data) const {
  if (!hive_.Data(value.record, data)) {
    if (!value.counted) {
      value.counted = true;
      ++damage_.values;
    }
    return false;
  }
  // Hives hold types beyond the platform's names (drivers store 0x10000 and up): the type is
  // the plain number it is.
  *type = value.record.type;
  if (IsString(*type)) {
    std::u16string text(data.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
      text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string ansi = codePage_.FromUtf16(text);
    data.assign(ansi.begin(), ansi.end());
  }
  return true;
}

RegStatus HiveStore::DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired,
                                 RegKey* result) {
  if (result == nullptr)
    return reg::kInvalidParameter;
  Node* node = NodeOf(key);
  if (node == nullptr)
    return reg::kInvalidHandle;
  const std::string_view path = subKey != nullptr ? subKey : "";
  size_t start = 0;
  while (start < path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (end == start)
      return reg::kFileNotFound;
    node = Child(*node, path.substr(start, end - start));
    if (node == nullptr)
      return reg::kFileNotFound;
    start = end + 1;
  }
  if ((samDesired & reg::kWriteRights) != 0)
    return reg::kAccessDenied;
  const RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(handle, node);
  *result = handle;
  return reg::kSuccess;
}

RegStatus HiveStore::DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen,
                                    uint32_t* values, uint32_t* maxValueNameLen,
                                    uint32_t* maxValueLen, uint64_t* lastWriteTime) {
  Node* node = NodeOf(key);
  if (node == nullptr)
    return reg::kInvalidHandle;
  if (subKeys != nullptr || maxSubKeyLen != nullptr)
    LoadChildren(*node);
  if (values != nullptr || maxValueNameLen != nullptr || maxValueLen != nullptr)
    LoadValues(*node);
  reg::PutKeyInfo({node->children.size(), node->longestChild, node->values.size(),
                   node->longestValueName, node->longestData, node->key.lastWrite},
                  subKeys, maxSubKeyLen, values, maxValueNameLen, maxValueLen, lastWriteTime);
  return reg::kSuccess;
}

RegStatus HiveStore::DoEnumKeyEx(RegKey key, uint32_t index, char* name, uint32_t* nameLen) {
  Node* node = NodeOf(key);
  if (node == nullptr)
    return reg::kInvalidHandle;
  LoadChildren(*node);
  if (index >= node->children.size())
    return reg::kNoMoreItems;
  return reg::CopyName(node->children[index].first, name, nameLen);
}

RegStatus HiveStore::DoEnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLen,
                                 uint32_t* type, uint8_t* data, uint32_t* dataLen) {
  Node* node = NodeOf(key);
  if (node == nullptr)
    return reg::kInvalidHandle;
  LoadValues(*node);
  if (index >= node->values.size())
    return reg::kNoMoreItems;
  ValueEntry& v = node->values[index];
  if (const RegStatus s = reg::CopyName(v.name, name, nameLen); s != reg::kSuccess)
    return s;
  if (type == nullptr && data == nullptr && dataLen == nullptr)
    return reg::kSuccess;
  uint32_t t = 0;
  std::vector<uint8_t> bytes;
  if (!ValueData(v, &t, bytes))
    return reg::kFileNotFound;
  if (type != nullptr)
    *type = t;
  return reg::CopyData(bytes, data, dataLen);
}

RegStatus HiveStore::DoQueryValueEx(RegKey key, const char* valueName, uint32_t* type,
                                    uint8_t* data, uint32_t* dataLen) {
  Node* node = NodeOf(key);
  if (node == nullptr)
    return reg::kInvalidHandle;
  LoadValues(*node);
  const auto it = node->valueIndex.find(AsciiUpperCase(valueName != nullptr ? valueName : ""));
  if (it == node->valueIndex.end())
    return reg::kFileNotFound;
  uint32_t t = 0;
  std::vector<uint8_t> bytes;
  if (!ValueData(node->values[it->second], &t, bytes))
    return reg::kFileNotFound;
  if (type != nullptr)
    *type = t;
  return reg::CopyData(bytes, data, dataLen);
}

RegStatus HiveStore::DoCreateKeyEx(RegKey key, const char* /*subKey*/, uint32_t /*options*/,
                                   uint32_t /*samDesired*/, RegKey* /*result*/) {
  return NodeOf(key) == nullptr ? reg::kInvalidHandle : reg::kAccessDenied;
}

RegStatus HiveStore::DoSetValueEx(RegKey key, const char* /*valueName*/, uint32_t /*type*/,
                                  const uint8_t* /*data*/, uint32_t /*size*/) {
  return NodeOf(key) == nullptr ? reg::kInvalidHandle : reg::kAccessDenied;
}

RegStatus HiveStore::DoCloseKey(RegKey key) {
  if (key == kRootHandle)
    return reg::kSuccess;
  return handles_.erase(key) == 1 ? reg::kSuccess : reg::kInvalidHandle;
}

} // namespace tw
