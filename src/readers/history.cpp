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
  ListValues(reg::kCurrentUser, kRegeditFavoritesKey, ctx.rows, vlNameValue);
  ctx.rows.Add("Regedit Last Key=" + ReadUserString(kRegeditKey, "LastKey"));
}

void ReadOpenSaveMru(ReaderContext& ctx) {
  ListSubKeyNames(reg::kCurrentUser, kOpenSaveMruKey, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string& subKey = ctx.scratch1[i];
    const std::string path = std::string(kOpenSaveMruKey) + "\\" + subKey;
    ListValueNames(reg::kCurrentUser, path, ctx.scratch2);
    for (int j = 0; j < ctx.scratch2.Count(); ++j) {
      const std::string& name = ctx.scratch2[j];
      ctx.rows.Add(subKey + "\\" + name + "=" + ReadRegString(reg::kCurrentUser, path, name));
    }
  }
}

void ReadMmcRecentFiles(ReaderContext& ctx) {
  ListValues(reg::kCurrentUser, kMmcRecentKey, ctx.rows, vlNameValue);
}

void ReadMuiCache(ReaderContext& ctx) {
  ListValues(reg::kCurrentUser, kMuiCacheKey, ctx.rows, vlValueName);
  // The cache's language marker is bookkeeping, not a trace.
  for (int i = 0; i < ctx.rows.Count(); ++i) {
    if (CompareText(ctx.rows[i], "=LangID") == 0) {
      ctx.rows.Delete(i);
      break;
    }
  }
}

void ReadNetworkRecent(ReaderContext& ctx) {
  ListValues(reg::kCurrentUser, kNetworkRecentKey, ctx.rows, vlNameValue);
}

void ReadRunMru(ReaderContext& ctx) {
  ListValues(reg::kCurrentUser, kRunMruKey, ctx.rows, vlNameValue);
}

void ReadTypedUrls(ReaderContext& ctx) {
  ListValues(reg::kCurrentUser, kTypedUrlsKey, ctx.rows, vlNameValue);
}

} // namespace tw
