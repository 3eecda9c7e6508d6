#include "readers/history.h"

#include "readers/binary_traces.h"
#include "readers/row_times.h"
#include "registry/registry.h"
#include "runtime/collation.h"

namespace tw {
namespace {

constexpr const char* kRegeditKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
constexpr const char* kRegeditFavoritesKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit\\Favorites";
constexpr const char* kOpenSaveMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
constexpr const char* kMmcRecentKey =
    "Software\\Microsoft\\Microsoft Management Console\\Recent File List";
constexpr const char* kMuiCacheKey = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
constexpr const char* kNetworkRecentKey = "Network\\Recent";
constexpr const char* kRunMruKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr const char* kTypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
// Windows 8 and later: when each typed address was typed, by the same value names.
constexpr const char* kTypedUrlsTimeKey = "Software\\Microsoft\\Internet Explorer\\TypedURLsTime";

// The entry an MRUList value names first ("cba": c) is the list's most recent; its row is dated
// by the key's last write.
void DateFirstOfMruList(ReaderContext& ctx, const std::string& keyPath, const std::string& prefix) {
  if (ctx.Times() == TimeKeeping::Dropped)
    return;
  const std::string order = ReadRegString(reg::kCurrentUser, keyPath, "MRUList");
  if (!order.empty())
    ctx.DateByKeyWrite({reg::kCurrentUser, keyPath}, prefix + order.substr(0, 1),
                       when::kMostRecentEntry);
}

} // namespace

void ReadRegeditFavorites(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kRegeditFavoritesKey, vlNameValue);
  ctx.Add("Regedit Last Key", ReadUserString(kRegeditKey, "LastKey"),
          {reg::kCurrentUser, kRegeditKey});
  ctx.DateByKeyWrite(when::kRegeditClosed);
}

void ReadOpenSaveMru(ReaderContext& ctx) {
  ListSubKeyNames(reg::kCurrentUser, kOpenSaveMruKey, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string& subKey = ctx.scratch1[i];
    const std::string path = SubKeyPath(kOpenSaveMruKey, subKey);
    ListValueNames(reg::kCurrentUser, path, ctx.scratch2);
    for (int j = 0; j < ctx.scratch2.Count(); ++j) {
      const std::string& name = ctx.scratch2[j];
      ctx.Add(SubKeyPath(subKey, name), ReadRegString(reg::kCurrentUser, path, name),
              {reg::kCurrentUser, path});
    }
    DateFirstOfMruList(ctx, path, subKey + "\\");
  }
}

void ReadMmcRecentFiles(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kMmcRecentKey, vlNameValue);
  ctx.DateByKeyWrite({reg::kCurrentUser, kMmcRecentKey}, "File1", when::kMostRecentEntry);
}

void ReadMuiCache(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kMuiCacheKey, vlValueName);
  // The cache's language marker is bookkeeping, not a trace.
  for (int i = 0; i < ctx.rows.Count(); ++i) {
    if (CompareText(ctx.rows[i], "=LangID") == 0) {
      ctx.rows.Delete(i);
      break;
    }
  }
}

void ReadNetworkRecent(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kNetworkRecentKey, vlNameValue);
}

void ReadRunMru(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kRunMruKey, vlNameValue);
  DateFirstOfMruList(ctx, kRunMruKey, "");
}

void ReadTypedUrls(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kTypedUrlsKey, vlNameValue);
  if (ctx.Times() == TimeKeeping::Dropped)
    return;
  ctx.DateByKeyWrite({reg::kCurrentUser, kTypedUrlsKey}, "url1", when::kMostRecentEntry);
  // The rows stand in the order of the value names.
  ListValueNames(reg::kCurrentUser, kTypedUrlsKey, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count() && i < ctx.rows.Count(); ++i) {
    const auto stamp = ReadRegValue(reg::kCurrentUser, kTypedUrlsTimeKey, ctx.scratch1[i]);
    if (stamp && stamp->bytes.size() == 8)
      ctx.AddTimeAt(i, when::kUrlTyped, *FileTimeAt(stamp->bytes));
  }
}

} // namespace tw
