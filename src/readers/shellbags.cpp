#include "readers/shellbags.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "readers/binary_traces.h"
#include "readers/field_list.h"
#include "readers/row_times.h"
#include "readers/shell_items.h"
#include "registry/registry.h"

namespace tw {
namespace {

constexpr std::array<const char*, 3> kBagRoots = {
    "Software\\Microsoft\\Windows\\Shell\\BagMRU",
    "Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU",
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\BagMRU",
};
// Deeper than any folder a user opens: a guard against a hive built to recurse forever.
constexpr int kMaxDepth = 64;

std::optional<std::uint32_t> EntryNumber(const std::string& name) {
  if (name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return static_cast<std::uint32_t>(std::stoul(name));
}

struct Entry {
  std::uint32_t number;
  std::optional<std::size_t> position; // in the key's MRUListEx
};

// The numbered values of a bag key, most recent first, then those its list does not name.
std::vector<Entry> EntriesOf(const OpenRegKey& key) {
  TStringList names;
  key.ValueNames(names);
  std::vector<std::uint32_t> numbers;
  for (int i = 0; i < names.Count(); ++i)
    if (const auto number = EntryNumber(names[i]))
      numbers.push_back(*number);
  std::sort(numbers.begin(), numbers.end());
  std::vector<Entry> entries;
  const auto order = key.Value("MRUListEx");
  const std::vector<std::uint32_t> mru =
      order ? DecodeMruListEx(order->bytes) : std::vector<std::uint32_t>();
  for (std::size_t p = 0; p < mru.size(); ++p)
    if (std::binary_search(numbers.begin(), numbers.end(), mru[p]) &&
        std::none_of(entries.begin(), entries.end(),
                     [&](const Entry& e) { return e.number == mru[p]; }))
      entries.push_back({mru[p], p});
  for (const std::uint32_t number : numbers)
    if (std::none_of(entries.begin(), entries.end(),
                     [&](const Entry& e) { return e.number == number; }))
      entries.push_back({number, std::nullopt});
  return entries;
}

std::string ListDamage(ListEnd end) {
  switch (end) {
  case ListEnd::Terminated:
    break;
  case ListEnd::Cut:
    return "cut short";
  case ListEnd::Malformed:
    return "malformed";
  case ListEnd::TooLong:
    return "too long";
  }
  return "";
}

void WalkBag(ReaderContext& ctx, const std::string& keyPath, const std::string& bagPath,
             const std::string& parentPath, int depth) {
  const OpenRegKey key(reg::kCurrentUser, keyPath);
  if (!key.Exists() || depth > kMaxDepth)
    return;
  const std::uint64_t written = key.LastWrite();
  TStringList subKeys;
  key.SubKeyNames(subKeys);
  const RowKey rowKey{reg::kCurrentUser, keyPath};
  for (const Entry& entry : EntriesOf(key)) {
    const std::string name = std::to_string(entry.number);
    const auto data = key.Value(name);
    if (!data)
      continue;
    const ShellItemList list = DecodeShellItemList(data->bytes);
    std::string path = parentPath;
    for (const ShellItem& item : list.items)
      AppendShellItemToPath(path, item);
    const ShellItem folder = list.items.empty() ? ShellItem{} : list.items.back();
    FieldList fields;
    fields.Add("", SubKeyPath(bagPath, name))
        .Add("MRU Position", entry.position ? std::to_string(*entry.position) : "")
        .AddTime("Key Written", written)
        .AddTime("Modified", folder.modified)
        .AddTime("Accessed", folder.accessed)
        .AddTime("Created", folder.created);
    if (folder.fileReference)
      fields.Add("MFT", std::to_string(folder.fileReference->entry) + "/" +
                            std::to_string(folder.fileReference->sequence));
    if (folder.completeness == ItemCompleteness::Cut)
      fields.Add("Item", "cut short");
    fields.Add("Item List", ListDamage(list.end));
    ctx.Add(path.empty() ? Undecodable(data->bytes.size()) : path, fields.Text(), rowKey);
    ctx.AddTime(when::kItemModified, folder.modified);
    ctx.AddTime(when::kItemAccessed, folder.accessed);
    ctx.AddTime(when::kItemCreated, folder.created);
    // The key is written when its list's order changes: its first entry was opened then.
    if (entry.position == 0u)
      ctx.AddTime(when::kFolderOpened, written);
    if (subKeys.IndexOf(name) >= 0)
      WalkBag(ctx, SubKeyPath(keyPath, name), SubKeyPath(bagPath, name), path, depth + 1);
  }
}

} // namespace

void ReadShellBags(ReaderContext& ctx) {
  for (const char* root : kBagRoots)
    WalkBag(ctx, root, "BagMRU", "", 0);
}

} // namespace tw
