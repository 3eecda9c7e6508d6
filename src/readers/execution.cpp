#include "readers/execution.h"

#include <array>
#include <cstdio>
#include <string>

#include "readers/amcache_values.h"
#include "readers/field_list.h"
#include "readers/row_times.h"
#include "readers/shimcache.h"
#include "registry/hive_kind.h"
#include "registry/registry.h"
#include "runtime/ansi_text.h"
#include "runtime/code_page.h"

namespace tw {
namespace {

// Every control set is read, not only the current one: an older set keeps an older cache.
constexpr const char* kSystemKey = "SYSTEM";
// Windows Server 2003 on, and XP's key.
constexpr std::array<const char*, 2> kShimCacheKeys = {
    "Control\\Session Manager\\AppCompatCache",
    "Control\\Session Manager\\AppCompatibility",
};
constexpr const char* kShimCacheValue = "AppCompatCache";

bool IsControlSet(std::string_view name) {
  return name.size() == 13 && AsciiEqualIgnoringCase(name.substr(0, 10), "ControlSet") &&
         name.substr(10).find_first_not_of("0123456789") == std::string_view::npos;
}

std::string Hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
  return text;
}

std::string ExecutedText(Executed executed) {
  switch (executed) {
  case Executed::Yes:
    return "Yes";
  case Executed::No:
    return "No";
  case Executed::Unknown:
    break;
  }
  return "";
}

// What was read of one control set's cache, and where it stopped.
std::string CacheSummary(const ShimCache& cache, std::size_t size) {
  if (cache.format == ShimCacheFormat::Unknown)
    return Undecodable(size);
  const std::size_t read = cache.entries.size();
  std::string text = std::string(ShimCacheFormatName(cache.format)) + ", " + std::to_string(read);
  const bool shortOfCount = cache.declaredEntries && *cache.declaredEntries != read;
  if (shortOfCount)
    text += " of " + std::to_string(*cache.declaredEntries);
  text += read == 1 && !shortOfCount ? " entry" : " entries";
  switch (cache.damage) {
  case ShimCacheDamage::None:
  case ShimCacheDamage::Unrecognized:
    break;
  case ShimCacheDamage::Truncated:
    text += " (damaged: the data ends inside an entry)";
    break;
  case ShimCacheDamage::PastTheEnd:
    text += " (damaged: an entry points past the end of the data)";
    break;
  }
  return text;
}

void AddShimCacheEntry(ReaderContext& ctx, const std::string& controlSet,
                       const ShimCacheEntry& entry, const RowKey& key) {
  FieldList fields;
  fields.Add("", controlSet)
      .Add("Position", std::to_string(entry.position))
      .AddTime("Last Modified", entry.lastModified)
      .Add("Executed", ExecutedText(entry.executed));
  if (entry.fileSize)
    fields.Add("Size", std::to_string(*entry.fileSize));
  if (entry.lastUpdate)
    fields.AddTime("Last Update", *entry.lastUpdate);
  if (entry.sizeOrFlags)
    fields.Add("Size or Flags", Hex(*entry.sizeOrFlags));
  ctx.Add(AnsiFromUtf16(entry.path), fields.Text(), key);
  ctx.AddTime(when::kFileModified, entry.lastModified);
  if (entry.lastUpdate)
    ctx.AddTime(when::kCacheEntryUpdated, *entry.lastUpdate);
}

std::string AmcacheKey(std::string_view below) {
  return std::string(kAmcacheMount) + "\\Root\\" + std::string(below);
}

std::string Sha1Of(const std::string& text) {
  return Sha1FromFileId(AnsiToUtf16(text)).value_or(text);
}

// A size stored as text ("0x7fac0", Windows 10 1607) stays as written; as a number, decimal.
std::string SizeOf(const OpenRegKey& key, std::string_view name) {
  const auto value = key.Value(name);
  if (!value)
    return "";
  if (value->type == reg::kQword && value->bytes.size() == 8)
    return std::to_string(Le64(value->bytes, 0));
  if (value->type == reg::kDword && value->bytes.size() == 4)
    return std::to_string(Le32(value->bytes, 0));
  return key.String(name);
}

// "MM/DD/YYYY HH:MM:SS" as a FILETIME; 0 for anything else.
std::uint64_t DateOf(const std::string& text) {
  return FileTimeFromLinkDate(AnsiToUtf16(text)).value_or(0);
}

void ReadInventoryFiles(ReaderContext& ctx) {
  const std::string root = AmcacheKey("InventoryApplicationFile");
  ListSubKeyNames(reg::kLocalMachine, root, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string path = SubKeyPath(root, ctx.scratch1[i]);
    const OpenRegKey key(reg::kLocalMachine, path);
    const std::string file = key.String("LowerCaseLongPath");
    const std::string fileId = key.String("FileId");
    const std::uint64_t linked = DateOf(key.String("LinkDate"));
    const std::uint64_t written = key.LastWrite();
    FieldList fields;
    fields.Add("SHA-1", fileId.empty() ? "" : Sha1Of(fileId))
        .Add("Size", SizeOf(key, "Size"))
        .AddTime("Link Date", linked)
        .Add("Product", key.String("ProductName"))
        .Add("Publisher", key.String("Publisher"))
        .Add("Version", key.String("Version"))
        .AddTime("Key Written", written);
    ctx.Add(file.empty() ? ctx.scratch1[i] : file, fields.Text(), {reg::kLocalMachine, path});
    ctx.AddTime(when::kKeyWritten, written);
    ctx.AddTime(when::kLinked, linked);
  }
}

std::uint64_t FileTimeValue(const OpenRegKey& key, std::string_view name) {
  const auto value = key.Value(name);
  return value ? AmcacheFileTime(value->bytes).value_or(0) : 0;
}

// Windows 8 to 10 1607: Root\File\{volume GUID}\{file reference}, values named by number.
void ReadOlderFileEntries(ReaderContext& ctx) {
  const std::string root = AmcacheKey("File");
  ListSubKeyNames(reg::kLocalMachine, root, ctx.scratch1);
  for (int v = 0; v < ctx.scratch1.Count(); ++v) {
    const std::string volume = SubKeyPath(root, ctx.scratch1[v]);
    ListSubKeyNames(reg::kLocalMachine, volume, ctx.scratch2);
    for (int i = 0; i < ctx.scratch2.Count(); ++i) {
      const std::string path = SubKeyPath(volume, ctx.scratch2[i]);
      const OpenRegKey key(reg::kLocalMachine, path);
      const std::string file = key.String(kAmcacheFilePath);
      const std::string sha1 = key.String(kAmcacheFileSha1);
      const std::uint64_t modified = FileTimeValue(key, kAmcacheFileModified);
      const std::uint64_t created = FileTimeValue(key, kAmcacheFileCreated);
      const std::uint64_t modifiedAgain = FileTimeValue(key, kAmcacheFileModified2);
      const std::uint64_t written = key.LastWrite();
      FieldList fields;
      fields.Add("SHA-1", sha1.empty() ? "" : Sha1Of(sha1))
          .AddTime("Last Modified", modified)
          .AddTime("Created", created)
          .AddTime("Modified (17)", modifiedAgain)
          .AddTime("Key Written", written)
          .Add("File Reference", ctx.scratch2[i]);
      ctx.Add(file.empty() ? ctx.scratch2[i] : file, fields.Text(), {reg::kLocalMachine, path});
      ctx.AddTime(when::kKeyWritten, written);
      ctx.AddTime(when::kFileModified, modified);
      ctx.AddTime(when::kFileCreated, created);
      ctx.AddTime(when::kFileModifiedAgain, modifiedAgain);
    }
  }
}

} // namespace

void ReadShimCache(ReaderContext& ctx) {
  ListSubKeyNames(reg::kLocalMachine, kSystemKey, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string& controlSet = ctx.scratch1[i];
    if (!IsControlSet(controlSet))
      continue;
    for (const char* below : kShimCacheKeys) {
      const std::string keyPath = SubKeyPath(SubKeyPath(kSystemKey, controlSet), below);
      const auto value = ReadRegValue(reg::kLocalMachine, keyPath, kShimCacheValue);
      if (!value)
        continue;
      const RowKey key{reg::kLocalMachine, keyPath};
      const ShimCache cache = DecodeShimCache(value->bytes);
      ctx.Add(controlSet, CacheSummary(cache, value->bytes.size()), key);
      for (const ShimCacheEntry& entry : cache.entries)
        AddShimCacheEntry(ctx, controlSet, entry, key);
    }
  }
}

void ReadAmcacheFiles(ReaderContext& ctx) {
  ReadInventoryFiles(ctx);
  ReadOlderFileEntries(ctx);
}

void ReadAmcachePrograms(ReaderContext& ctx) {
  const std::string root = AmcacheKey("InventoryApplication");
  ListSubKeyNames(reg::kLocalMachine, root, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string path = SubKeyPath(root, ctx.scratch1[i]);
    const OpenRegKey key(reg::kLocalMachine, path);
    const std::string name = key.String("Name");
    const std::uint64_t installed = DateOf(key.String("InstallDate"));
    const std::uint64_t written = key.LastWrite();
    FieldList fields;
    fields.Add("Version", key.String("Version"))
        .Add("Publisher", key.String("Publisher"))
        .AddTime("Installed", installed)
        .Add("Folder", key.String("RootDirPath"))
        .Add("Source", key.String("Source"))
        .AddTime("Key Written", written);
    ctx.Add(name.empty() ? ctx.scratch1[i] : name, fields.Text(), {reg::kLocalMachine, path});
    ctx.AddTime(when::kInstalled, installed);
    ctx.AddTime(when::kKeyWritten, written);
  }
}

} // namespace tw
