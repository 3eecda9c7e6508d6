#include "registry/registry.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "runtime/exceptions.h"
#include "runtime/seam.h"

namespace tw {
namespace {

// Reading opens keys for reading only, so that keys the user may read but not write still show.
constexpr uint32_t kReadAccess = reg::kRead;
constexpr uint32_t kExistsAccess =
    reg::kStandardRightsRead | reg::kQueryValue | reg::kEnumerateSubKeys;
constexpr uint32_t kWriteAccess = reg::kRead | reg::kCreateSubKey | reg::kSetValue;
constexpr int kMaxBinarySize = 1000000;

enum class View { Native, Wow32 };

// The one place that decides the view flags. A 32-bit process on 64-bit Windows names the
// native view, so that both builds read the keys the system's own registry editor shows; the
// 32-bit view is always named (32-bit Windows ignores the flag and has the one view).
uint32_t AccessMask(const RegistryApi& api, uint32_t rights, View view) {
  if (view == View::Wow32)
    return rights | reg::kWow64_32Key;
  return api.DefaultView() == RegistryView::Wow32 ? rights | reg::kWow64_64Key : rights;
}

bool IsText(uint32_t type) {
  return type == reg::kSz || type == reg::kExpandSz;
}

std::string TextUpToNul(const std::vector<uint8_t>& data) {
  const auto* begin = reinterpret_cast<const char*>(data.data());
  return std::string(begin, strnlen(begin, data.size()));
}

[[noreturn]] void InvalidType(std::string_view name) {
  throw ERegistryException(
      Format("Invalid data type for '%.*s'", static_cast<int>(name.size()), name.data()));
}

[[noreturn]] void GetDataFailed(std::string_view name) {
  throw ERegistryException(
      Format("Failed to get data for '%.*s'", static_cast<int>(name.size()), name.data()));
}

struct DataInfo {
  uint32_t type = 0;
  uint32_t size = 0;
};

} // namespace

// One accessor per call: it starts on HKEY_CURRENT_USER, is switched to a hive, opens at most
// one key and closes it on every path.
class RegAccessor {
public:
  explicit RegAccessor(RegKey hive = reg::kCurrentUser)
      : api_(Seam<RegistryApi>::Get()), root_(hive) {}
  ~RegAccessor() { Close(); }
  RegAccessor(const RegAccessor&) = delete;
  RegAccessor& operator=(const RegAccessor&) = delete;

  void SelectRoot(std::string_view rootName) {
    if (const auto root = RootKeyFromName(rootName))
      root_ = *root;
  }

  bool Open(std::string_view keyPath, uint32_t rights, View view = View::Native) {
    Close();
    const uint32_t access = AccessMask(api_, rights, view);
    if (!keyPath.empty() && keyPath.front() == '\\')
      keyPath.remove_prefix(1);
    const std::string path(keyPath);
    RegKey key = 0;
    if (api_.OpenKeyEx(root_, path.c_str(), access, &key) != reg::kSuccess)
      return false;
    key_ = key;
    return true;
  }

  void Close() {
    if (key_)
      api_.CloseKey(*key_);
    key_.reset();
  }

  // Type and size of a value; none when it cannot be queried (also without an open key).
  std::optional<DataInfo> Info(std::string_view name) {
    if (!key_)
      return std::nullopt;
    const std::string n(name);
    DataInfo info;
    if (api_.QueryValueEx(*key_, n.c_str(), &info.type, nullptr, &info.size) != reg::kSuccess)
      return std::nullopt;
    return info;
  }

  // Reads at most `size` bytes; raises "Failed to get data" when the read fails.
  DataInfo GetData(std::string_view name, std::vector<uint8_t>& buffer, uint32_t size) {
    buffer.assign(size, 0);
    DataInfo info;
    info.size = size;
    const std::string n(name);
    if (!key_ ||
        api_.QueryValueEx(*key_, n.c_str(), &info.type, buffer.data(), &info.size) != reg::kSuccess)
      GetDataFailed(name);
    return info;
  }

  // The strict string read.
  std::string ReadString(std::string_view name) {
    const auto info = Info(name);
    if (!info || info->size == 0)
      return std::string();
    std::vector<uint8_t> buffer;
    const DataInfo read = GetData(name, buffer, info->size);
    if (!IsText(read.type))
      InvalidType(name);
    buffer.resize(read.size);
    return TextUpToNul(buffer);
  }

  bool IsOpen() const { return key_.has_value(); }

  // Type and data of a value in one query when they fit a small buffer (most values of the
  // many keys evidence readers walk), in two otherwise; false when it cannot be read.
  bool ReadWhole(std::string_view name, RegValueData& value) {
    if (!key_)
      return false;
    const std::string n(name);
    value.bytes.resize(256);
    uint32_t size = static_cast<uint32_t>(value.bytes.size());
    RegStatus status = api_.QueryValueEx(*key_, n.c_str(), &value.type, value.bytes.data(), &size);
    if (status == reg::kMoreData && size <= static_cast<uint32_t>(kMaxBinarySize)) {
      value.bytes.resize(size);
      status = api_.QueryValueEx(*key_, n.c_str(), &value.type, value.bytes.data(), &size);
    }
    if (status != reg::kSuccess)
      return false;
    value.bytes.resize(std::min<size_t>(size, value.bytes.size()));
    return true;
  }

  // The open key's last-write time; 0 when there is none.
  uint64_t LastWrite() {
    uint64_t time = 0;
    if (!key_ || api_.QueryInfoKey(*key_, nullptr, nullptr, nullptr, nullptr, nullptr, &time) !=
                     reg::kSuccess)
      return 0;
    return time;
  }

  // Replaces the list by the value names (or subkey names) of the open key.
  void ListNames(TStrings& list, bool subKeys) {
    list.Clear();
    if (!key_)
      return;
    uint32_t count = 0;
    uint32_t longest = 0;
    const RegStatus status =
        subKeys ? api_.QueryInfoKey(*key_, &count, &longest, nullptr, nullptr, nullptr)
                : api_.QueryInfoKey(*key_, nullptr, nullptr, &count, &longest, nullptr);
    if (status != reg::kSuccess)
      return;
    std::vector<char> name(longest + 1, '\0');
    for (uint32_t i = 0; i < count; ++i) {
      RegStatus s = Enumerate(i, name, subKeys);
      if (s == reg::kMoreData) {
        // A name longer in bytes than reported in characters (double-byte code pages).
        name.assign(name.size() * 2 + 256, '\0');
        s = Enumerate(i, name, subKeys);
      }
      // An entry that vanished while listing is skipped.
      if (s == reg::kSuccess)
        list.Add(std::string(name.data()));
    }
  }

private:
  RegStatus Enumerate(uint32_t index, std::vector<char>& name, bool subKeys) {
    uint32_t length = static_cast<uint32_t>(name.size());
    return subKeys ? api_.EnumKeyEx(*key_, index, name.data(), &length)
                   : api_.EnumValue(*key_, index, name.data(), &length, nullptr, nullptr, nullptr);
  }

  RegistryApi& api_;
  RegKey root_;
  std::optional<RegKey> key_;
};

namespace {

std::string StrictRead(RegKey hive, std::string_view keyPath, std::string_view valueName) {
  RegAccessor accessor(hive);
  accessor.Open(keyPath, kReadAccess);
  return accessor.ReadString(valueName);
}

// The address's parts, with at least a root name and a key path.
std::vector<std::string> AddressParts(std::string_view address) {
  std::vector<std::string> parts = SplitRegistryAddress(address);
  if (parts.size() < 2)
    ThrowListIndexError(static_cast<int>(parts.size()));
  return parts;
}

} // namespace

OpenRegKey::OpenRegKey(RegKey hive, std::string_view keyPath)
    : accessor_(std::make_unique<RegAccessor>(hive)) {
  accessor_->Open(keyPath, kReadAccess);
}

OpenRegKey::~OpenRegKey() = default;

bool OpenRegKey::Exists() const {
  return accessor_->IsOpen();
}

std::optional<RegValueData> OpenRegKey::Value(std::string_view name) const {
  RegValueData value;
  if (!accessor_->ReadWhole(name, value))
    return std::nullopt;
  return value;
}

std::string OpenRegKey::String(std::string_view name) const {
  const auto value = Value(name);
  if (!value || !IsText(value->type))
    return std::string();
  return TextUpToNul(value->bytes);
}

uint64_t OpenRegKey::LastWrite() const {
  return accessor_->LastWrite();
}

void OpenRegKey::ValueNames(TStrings& list) const {
  accessor_->ListNames(list, false);
}

void OpenRegKey::SubKeyNames(TStrings& list) const {
  accessor_->ListNames(list, true);
}

std::string ReadRegString(RegKey hive, std::string_view keyPath, std::string_view valueName) {
  RegAccessor accessor(hive);
  accessor.Open(keyPath, kReadAccess);
  const auto info = accessor.Info(valueName);
  if (!info || !IsText(info->type) || info->size == 0)
    return std::string();
  std::vector<uint8_t> buffer;
  try {
    const DataInfo read = accessor.GetData(valueName, buffer, info->size);
    if (!IsText(read.type))
      return std::string();
    buffer.resize(read.size);
  } catch (const ERegistryException&) {
    return std::string(); // changed between the two queries: tolerant reads never raise
  }
  return TextUpToNul(buffer);
}

std::string ReadRegFlag(RegKey hive, std::string_view keyPath, std::string_view valueName) {
  RegAccessor accessor(hive);
  accessor.Open(keyPath, kReadAccess);
  const auto info = accessor.Info(valueName);
  if (!info || info->type != reg::kSz)
    return "False";
  try {
    return accessor.ReadString(valueName) == "1" ? "True" : "False";
  } catch (const ERegistryException&) {
    return "False";
  }
}

std::string ReadUserString(std::string_view keyPath, std::string_view valueName) {
  return StrictRead(reg::kCurrentUser, keyPath, valueName);
}

std::string ReadMachineString(std::string_view keyPath, std::string_view valueName) {
  return StrictRead(reg::kLocalMachine, keyPath, valueName);
}

int32_t ReadMachineInteger(std::string_view keyPath, std::string_view valueName) {
  RegAccessor accessor(reg::kLocalMachine);
  accessor.Open(keyPath, kReadAccess);
  std::vector<uint8_t> buffer;
  const DataInfo read = accessor.GetData(valueName, buffer, 4);
  if (read.type != reg::kDword)
    InvalidType(valueName);
  return static_cast<int32_t>(
      static_cast<uint32_t>(buffer[0]) | (static_cast<uint32_t>(buffer[1]) << 8) |
      (static_cast<uint32_t>(buffer[2]) << 16) | (static_cast<uint32_t>(buffer[3]) << 24));
}

std::string ReadAddressValue(std::string_view address) {
  const std::vector<std::string> parts = AddressParts(address);
  RegAccessor accessor;
  accessor.SelectRoot(parts[0]);
  // From the view in which the key exists, the native one first.
  if (!accessor.Open(parts[1], kReadAccess))
    accessor.Open(parts[1], kReadAccess, View::Wow32);
  return accessor.ReadString(parts.size() == 3 ? std::string_view(parts[2]) : std::string_view());
}

bool AddressKeyExists(std::string_view address) {
  const std::vector<std::string> parts = AddressParts(address);
  RegAccessor accessor;
  accessor.SelectRoot(parts[0]);
  return accessor.Open(parts[1], kExistsAccess) ||
         accessor.Open(parts[1], kExistsAccess, View::Wow32);
}

int AddressBinarySize(std::string_view address) {
  const std::vector<std::string> parts = AddressParts(address);
  const std::string_view name = parts.size() >= 3 ? std::string_view(parts[2]) : std::string_view();
  RegAccessor accessor;
  accessor.SelectRoot(parts[0]);
  accessor.Open(parts[1], kReadAccess);
  const auto info = accessor.Info(name);
  if (!info)
    return 0;
  if (info->type == reg::kSz || info->type == reg::kExpandSz || info->type == reg::kDword ||
      info->size > static_cast<uint32_t>(kMaxBinarySize))
    InvalidType(name);
  std::vector<uint8_t> buffer;
  return static_cast<int>(accessor.GetData(name, buffer, info->size).size);
}

std::optional<RegValueData> ReadRegValue(RegKey hive, std::string_view keyPath,
                                         std::string_view valueName) {
  RegAccessor accessor(hive);
  accessor.Open(keyPath, kReadAccess);
  const auto info = accessor.Info(valueName);
  if (!info || info->size > static_cast<uint32_t>(kMaxBinarySize))
    return std::nullopt;
  RegValueData value;
  try {
    const DataInfo read = accessor.GetData(valueName, value.bytes, info->size);
    value.type = read.type;
    value.bytes.resize(std::min<size_t>(read.size, value.bytes.size()));
  } catch (const ERegistryException&) {
    return std::nullopt; // changed between the two queries
  }
  return value;
}

bool ListValueNames(RegKey hive, std::string_view keyPath, TStrings& list) {
  RegAccessor accessor(hive);
  accessor.Open(keyPath, kReadAccess);
  accessor.ListNames(list, false);
  return true;
}

bool ListSubKeyNames(RegKey hive, std::string_view keyPath, TStrings& list) {
  RegAccessor accessor(hive);
  accessor.Open(keyPath, kReadAccess);
  accessor.ListNames(list, true);
  return true;
}

bool ListNumberedValueNames(RegKey hive, std::string_view keyPath, TStrings& list) {
  ListValueNames(hive, keyPath, list);
  for (int i = 0; i < list.Count(); ++i)
    list.Put(i, std::to_string(i + 1) + "=" + list.Get(i));
  return true;
}

bool ListValues(RegKey hive, std::string_view keyPath, TStrings& list, uint8_t layout) {
  ListValueNames(hive, keyPath, list);
  if (layout >= vlNamesOnly)
    return true;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string name = list.Get(i);
    const std::string text = ReadRegString(hive, keyPath, name);
    list.Put(i, layout == vlNameValue ? name + "=" + text : text + "=" + name);
  }
  return true;
}

void WriteRegString(RegKey hive, std::string_view keyPath, std::string_view valueName,
                    std::string_view text) {
  RegistryApi& api = Seam<RegistryApi>::Get();
  if (!keyPath.empty() && keyPath.front() == '\\')
    keyPath.remove_prefix(1);
  const std::string path(keyPath);
  RegKey key = 0;
  if (api.CreateKeyEx(hive, path.c_str(), reg::kOptionNonVolatile,
                      AccessMask(api, kWriteAccess, View::Native), &key) != reg::kSuccess)
    throw EOleRegistrationError();
  const std::string name(valueName);
  const std::string data(text);
  const RegStatus status =
      api.SetValueEx(key, name.c_str(), reg::kSz, reinterpret_cast<const uint8_t*>(data.c_str()),
                     static_cast<uint32_t>(data.size() + 1));
  api.CloseKey(key);
  if (status != reg::kSuccess)
    throw EOleRegistrationError();
}

} // namespace tw
