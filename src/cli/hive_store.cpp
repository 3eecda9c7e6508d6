#include "cli/hive_store.h"

#include <hivex.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "cli/hive_check.h"
#include "runtime/ansi_text.h"
#include "runtime/registry_buffers.h"

namespace tw {
namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <class T>
using Malloced = std::unique_ptr<T, FreeDeleter>;

hive_h* AsHive(void* hive) {
  return static_cast<hive_h*>(hive);
}

bool IsString(uint32_t type) {
  return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz;
}

} // namespace

struct HiveStore::Node {
  size_t hiveNode = 0;
  bool childrenLoaded = false;
  std::vector<std::pair<std::string, size_t>> children; // name, hive node
  std::unordered_map<std::string, size_t> childIndex;   // upper-cased name → position
  uint32_t longestChild = 0;
  bool valuesLoaded = false;
  std::vector<ValueEntry> values;
  std::unordered_map<std::string, size_t> valueIndex;
  uint32_t longestValueName = 0;
  uint32_t longestData = 0;
};

void HiveStore::HiveDeleter::operator()(void* hive) const {
  hivex_close(AsHive(hive));
}

HiveStore::HiveStore(const std::string& path, const AnsiCodePage& codePage) : codePage_(codePage) {
  if (const std::string problem = HiveFileProblem(path); !problem.empty())
    throw SourceError(path + ": " + problem);
  errno = 0;
  hive_.reset(hivex_open(path.c_str(), 0));
  if (!hive_) {
    const int error = errno;
    throw SourceError(path + ": damaged (" +
                      (error == ENOTSUP || error == 0
                           ? std::string("the hive's structure is broken")
                           : std::string(std::strerror(error))) +
                      ")");
  }
  root_ = NodeAt(hivex_root(AsHive(hive_.get())));
  if (root_->hiveNode == 0)
    throw SourceError(path + ": damaged (no top key)");
}

HiveStore::~HiveStore() = default;

HiveStore::Node* HiveStore::NodeAt(size_t hiveNode) const {
  std::unique_ptr<Node>& slot = nodes_[hiveNode];
  if (!slot) {
    slot = std::make_unique<Node>();
    slot->hiveNode = hiveNode;
  }
  return slot.get();
}

HiveStore::Node* HiveStore::NodeOf(RegKey key) const {
  if (key == kRootHandle)
    return root_;
  const auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : it->second;
}

std::string HiveStore::Name(const char* utf8) const {
  return codePage_.FromUtf16(Utf8ToUtf16(utf8 != nullptr ? utf8 : ""));
}

void HiveStore::LoadChildren(Node& node) const {
  if (node.childrenLoaded)
    return;
  node.childrenLoaded = true;
  hive_h* h = AsHive(hive_.get());
  const Malloced<hive_node_h> children(hivex_node_children(h, node.hiveNode));
  if (!children)
    return;
  for (const hive_node_h* c = children.get(); *c != 0; ++c) {
    const Malloced<char> name(hivex_node_name(h, *c));
    if (!name)
      continue;
    std::string ansi = Name(name.get());
    node.longestChild = std::max(node.longestChild, static_cast<uint32_t>(ansi.size()));
    node.childIndex.emplace(AsciiUpperCase(ansi), node.children.size());
    node.children.emplace_back(std::move(ansi), *c);
  }
}

void HiveStore::LoadValues(Node& node) const {
  if (node.valuesLoaded)
    return;
  node.valuesLoaded = true;
  hive_h* h = AsHive(hive_.get());
  const Malloced<hive_value_h> values(hivex_node_values(h, node.hiveNode));
  if (!values)
    return;
  for (const hive_value_h* v = values.get(); *v != 0; ++v) {
    const Malloced<char> key(hivex_value_key(h, *v));
    if (!key)
      continue;
    std::string ansi = Name(key.get());
    alignas(hive_type) unsigned char type[sizeof(hive_type)];
    size_t length = 0;
    if (hivex_value_type(h, *v, reinterpret_cast<hive_type*>(type), &length) == 0)
      node.longestData = std::max(node.longestData, static_cast<uint32_t>(length));
    node.longestValueName = std::max(node.longestValueName, static_cast<uint32_t>(ansi.size()));
    node.valueIndex.emplace(AsciiUpperCase(ansi), node.values.size());
    node.values.push_back(ValueEntry{std::move(ansi), *v});
  }
}

HiveStore::Node* HiveStore::Child(Node& node, std::string_view name) const {
  LoadChildren(node);
  const auto it = node.childIndex.find(AsciiUpperCase(name));
  return it == node.childIndex.end() ? nullptr : NodeAt(node.children[it->second].second);
}

bool HiveStore::ValueData(size_t value, uint32_t* type, std::vector<uint8_t>& data) const {
  // Hives hold types beyond the library's enumeration (drivers store 0x10000 and up): the
  // type is taken as the plain number it is.
  alignas(hive_type) unsigned char typeBytes[sizeof(hive_type)] = {};
  size_t length = 0;
  const Malloced<char> raw(hivex_value_value(AsHive(hive_.get()), value,
                                             reinterpret_cast<hive_type*>(typeBytes), &length));
  if (!raw)
    return false;
  static_assert(sizeof(hive_type) == sizeof(uint32_t));
  std::memcpy(type, typeBytes, sizeof *type);
  if (IsString(*type)) {
    std::u16string text(length / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
      text[i] = static_cast<char16_t>(static_cast<unsigned char>(raw.get()[2 * i]) |
                                      (static_cast<unsigned char>(raw.get()[2 * i + 1]) << 8));
    const std::string ansi = codePage_.FromUtf16(text);
    data.assign(ansi.begin(), ansi.end());
  } else {
    data.assign(raw.get(), raw.get() + length);
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
                                    uint32_t* maxValueLen) {
  Node* node = NodeOf(key);
  if (node == nullptr)
    return reg::kInvalidHandle;
  if (subKeys != nullptr || maxSubKeyLen != nullptr)
    LoadChildren(*node);
  if (values != nullptr || maxValueNameLen != nullptr || maxValueLen != nullptr)
    LoadValues(*node);
  if (subKeys != nullptr)
    *subKeys = static_cast<uint32_t>(node->children.size());
  if (maxSubKeyLen != nullptr)
    *maxSubKeyLen = node->longestChild;
  if (values != nullptr)
    *values = static_cast<uint32_t>(node->values.size());
  if (maxValueNameLen != nullptr)
    *maxValueNameLen = node->longestValueName;
  if (maxValueLen != nullptr)
    *maxValueLen = node->longestData;
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
  const ValueEntry& v = node->values[index];
  if (const RegStatus s = reg::CopyName(v.name, name, nameLen); s != reg::kSuccess)
    return s;
  if (type == nullptr && data == nullptr && dataLen == nullptr)
    return reg::kSuccess;
  uint32_t t = 0;
  std::vector<uint8_t> bytes;
  if (!ValueData(v.handle, &t, bytes))
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
  if (!ValueData(node->values[it->second].handle, &t, bytes))
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
