#include "registry/mounted_registry.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "registry/address.h"
#include "registry/wow32_view.h"
#include "runtime/ansi_text.h"

namespace tw {
namespace {

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  // A trailing backslash names the same key, as the platform takes it.
  if (!parts.empty() && parts.back().empty())
    parts.pop_back();
  return parts;
}

std::string JoinPath(const std::vector<std::string>& parts, size_t from) {
  std::string path;
  for (size_t i = from; i < parts.size(); ++i) {
    if (i > from)
      path += '\\';
    path += parts[i];
  }
  return path;
}

bool IsPredefined(RegKey key) {
  return key >= reg::kClassesRoot && key <= reg::kUsers;
}

} // namespace

MountedRegistry::~MountedRegistry() {
  for (const auto& [handle, h] : handles_)
    h.store->CloseKey(h.inner);
  for (const MountPoint& m : mounts_)
    if (m.ownsBase)
      m.store->CloseKey(m.base);
}

void MountedRegistry::AddMount(RegKey root, std::string_view path, RegistryApi& store, RegKey base,
                               bool ownsBase, std::string_view shownAs) {
  mounts_.push_back(MountPoint{root, SplitPath(path), SplitPath(shownAs.empty() ? path : shownAs),
                               &store, base, ownsBase});
  // Deepest first, so that the first match is the one that wins.
  std::stable_sort(mounts_.begin(), mounts_.end(), [](const MountPoint& a, const MountPoint& b) {
    return a.path.size() > b.path.size();
  });
}

void MountedRegistry::Mount(HiveKind kind, RegistryApi& store, RegKey root) {
  switch (kind) {
  case HiveKind::NtUser:
    AddMount(reg::kCurrentUser, "", store, root, false);
    return;
  case HiveKind::UsrClass:
    AddMount(reg::kCurrentUser, "Software\\Classes", store, root, false);
    return;
  case HiveKind::Software: {
    AddMount(reg::kLocalMachine, "SOFTWARE", store, root, false);
    RegKey classes = 0;
    if (store.OpenKeyEx(root, "Classes", reg::kRead, &classes) == reg::kSuccess)
      AddMount(reg::kClassesRoot, "", store, classes, true);
    return;
  }
  case HiveKind::System: {
    AddMount(reg::kLocalMachine, "SYSTEM", store, root, false);
    // The control set the machine last booted with.
    RegKey select = 0;
    if (store.OpenKeyEx(root, "Select", reg::kRead, &select) != reg::kSuccess)
      return;
    uint32_t type = 0;
    uint32_t current = 0;
    uint32_t size = sizeof current;
    const RegStatus status =
        store.QueryValueEx(select, "Current", &type, reinterpret_cast<uint8_t*>(&current), &size);
    store.CloseKey(select);
    if (status != reg::kSuccess || type != reg::kDword || size != sizeof current)
      return;
    char name[32];
    std::snprintf(name, sizeof name, "ControlSet%03u", current);
    RegKey controlSet = 0;
    if (store.OpenKeyEx(root, name, reg::kRead, &controlSet) == reg::kSuccess)
      AddMount(reg::kLocalMachine, "SYSTEM\\CurrentControlSet", store, controlSet, true,
               std::string("SYSTEM\\") + name);
    return;
  }
  case HiveKind::Sam:
    AddMount(reg::kLocalMachine, "SAM", store, root, false);
    return;
  case HiveKind::Amcache:
    AddMount(reg::kLocalMachine, kAmcacheMount, store, root, false);
    return;
  }
}

const RegistryApi* MountedRegistry::StoreOf(RegKey root, std::string_view path) const {
  const MountPoint* m = MountOf(root, SplitPath(path));
  return m != nullptr ? m->store : nullptr;
}

const MountedRegistry::MountPoint*
MountedRegistry::MountOf(RegKey root, const std::vector<std::string>& parts) const {
  for (const MountPoint& m : mounts_)
    if (m.root == root && m.path.size() <= parts.size() &&
        std::equal(m.path.begin(), m.path.end(), parts.begin(),
                   [](const std::string& a, const std::string& b) {
                     return AsciiEqualIgnoringCase(a, b);
                   }))
      return &m;
  return nullptr;
}

std::string MountedRegistry::DisplayPath(RegKey root, std::string_view path) const {
  std::vector<std::string> parts = SplitPath(path);
  if (const MountPoint* m = MountOf(root, parts)) {
    parts.erase(parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(m->path.size()));
    parts.insert(parts.begin(), m->shownAs.begin(), m->shownAs.end());
  }
  std::string shown(RootShortName(root));
  for (const std::string& part : parts)
    shown.append("\\").append(part);
  return shown;
}

std::optional<MountedRegistry::Target> MountedRegistry::Locate(RegKey key, const char* subKey,
                                                               View view) const {
  Target target{};
  if (IsPredefined(key)) {
    target.root = key;
  } else {
    const auto it = handles_.find(key);
    if (it == handles_.end())
      return std::nullopt;
    target.root = it->second.root;
    target.path = it->second.path;
  }
  for (std::string& part : SplitPath(subKey != nullptr ? subKey : ""))
    target.path.push_back(std::move(part));
  // A hive file has one view: the 32-bit one of SOFTWARE is its Wow6432Node key, as 64-bit
  // Windows keeps it. The fallback store keeps its views itself.
  if (view == View::Wow32 && target.root == reg::kLocalMachine && !target.path.empty() &&
      AsciiEqualIgnoringCase(target.path[0], "SOFTWARE") && MountedAt(target.root, "SOFTWARE"))
    target.path = InWow32View(std::move(target.path));
  if (const MountPoint* m = MountOf(target.root, target.path)) {
    target.store = m->store;
    target.from = m->base;
    target.subKey = JoinPath(target.path, m->path.size());
    return target;
  }
  target.store = &fallback_;
  target.from = target.root;
  target.subKey = JoinPath(target.path, 0);
  return target;
}

std::optional<std::pair<RegistryApi*, RegKey>> MountedRegistry::Inner(RegKey key) const {
  if (IsPredefined(key)) {
    for (const MountPoint& m : mounts_)
      if (m.root == key && m.path.empty())
        return std::make_pair(m.store, m.base);
    return std::make_pair(&fallback_, key);
  }
  const auto it = handles_.find(key);
  if (it == handles_.end())
    return std::nullopt;
  return std::make_pair(it->second.store, it->second.inner);
}

bool MountedRegistry::MountedAt(RegKey root, std::string_view path) const {
  const std::vector<std::string> parts = SplitPath(path);
  return std::any_of(mounts_.begin(), mounts_.end(), [&](const MountPoint& m) {
    return m.root == root && std::equal(m.path.begin(), m.path.end(), parts.begin(), parts.end(),
                                        [](const std::string& a, const std::string& b) {
                                          return AsciiEqualIgnoringCase(a, b);
                                        });
  });
}

RegStatus MountedRegistry::OpenOrCreate(RegKey key, const char* subKey, uint32_t options,
                                        uint32_t samDesired, RegKey* result, Creation creation) {
  if (result == nullptr)
    return reg::kInvalidParameter;
  const View view = (samDesired & reg::kWow64_32Key) != 0 && (samDesired & reg::kWow64_64Key) == 0
                        ? View::Wow32
                        : View::Native;
  std::optional<Target> target = Locate(key, subKey, view);
  if (!target)
    return reg::kInvalidHandle;
  RegKey inner = 0;
  const RegStatus status =
      creation == Creation::OpenOnly
          ? target->store->OpenKeyEx(target->from, target->subKey.c_str(), samDesired, &inner)
          : target->store->CreateKeyEx(target->from, target->subKey.c_str(), options, samDesired,
                                       &inner);
  if (status != reg::kSuccess)
    return status;
  const RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(handle, Handle{target->store, inner, target->root, std::move(target->path)});
  *result = handle;
  return reg::kSuccess;
}

RegStatus MountedRegistry::DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired,
                                       RegKey* result) {
  return OpenOrCreate(key, subKey, 0, samDesired, result, Creation::OpenOnly);
}

RegStatus MountedRegistry::DoCreateKeyEx(RegKey key, const char* subKey, uint32_t options,
                                         uint32_t samDesired, RegKey* result) {
  return OpenOrCreate(key, subKey, options, samDesired, result, Creation::CreateMissing);
}

RegStatus MountedRegistry::DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen,
                                          uint32_t* values, uint32_t* maxValueNameLen,
                                          uint32_t* maxValueLen, uint64_t* lastWriteTime) {
  const auto inner = Inner(key);
  if (!inner)
    return reg::kInvalidHandle;
  return inner->first->QueryInfoKey(inner->second, subKeys, maxSubKeyLen, values, maxValueNameLen,
                                    maxValueLen, lastWriteTime);
}

RegStatus MountedRegistry::DoEnumKeyEx(RegKey key, uint32_t index, char* name, uint32_t* nameLen) {
  const auto inner = Inner(key);
  if (!inner)
    return reg::kInvalidHandle;
  return inner->first->EnumKeyEx(inner->second, index, name, nameLen);
}

RegStatus MountedRegistry::DoEnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLen,
                                       uint32_t* type, uint8_t* data, uint32_t* dataLen) {
  const auto inner = Inner(key);
  if (!inner)
    return reg::kInvalidHandle;
  return inner->first->EnumValue(inner->second, index, name, nameLen, type, data, dataLen);
}

RegStatus MountedRegistry::DoQueryValueEx(RegKey key, const char* valueName, uint32_t* type,
                                          uint8_t* data, uint32_t* dataLen) {
  const auto inner = Inner(key);
  if (!inner)
    return reg::kInvalidHandle;
  return inner->first->QueryValueEx(inner->second, valueName, type, data, dataLen);
}

RegStatus MountedRegistry::DoSetValueEx(RegKey key, const char* valueName, uint32_t type,
                                        const uint8_t* data, uint32_t size) {
  const auto inner = Inner(key);
  if (!inner)
    return reg::kInvalidHandle;
  return inner->first->SetValueEx(inner->second, valueName, type, data, size);
}

RegStatus MountedRegistry::DoCloseKey(RegKey key) {
  if (IsPredefined(key))
    return reg::kSuccess;
  const auto it = handles_.find(key);
  if (it == handles_.end())
    return reg::kInvalidHandle;
  const RegStatus status = it->second.store->CloseKey(it->second.inner);
  handles_.erase(it);
  return status;
}

} // namespace tw
