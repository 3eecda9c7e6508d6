#include "readers/history.h"

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

} // namespace

void ReadRegeditFavorites(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kRegeditFavoritesKey, vlNameValue);
  ctx.Add("Regedit Last Key", ReadUserString(kRegeditKey, "LastKey"),
          {reg::kCurrentUser, kRegeditKey});
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
  }
}

void ReadMmcRecentFiles(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kMmcRecentKey, vlNameValue);
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
}

void ReadTypedUrls(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kTypedUrlsKey, vlNameValue);
}

} // namespace tw
