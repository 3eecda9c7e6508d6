#include "readers/modern.h"

#include <array>
#include <string>

#include "readers/binary_traces.h"
#include "readers/row_times.h"
#include "readers/software.h"
#include "readers/userassist.h"
#include "registry/registry.h"
#include "runtime/collation.h"

namespace tw {
namespace {

constexpr const char* kUserAssistCEBFF5CDKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{CEBFF5CD-ACE2-4F4F-"
    "9178-9926F41749EA}\\Count";
constexpr const char* kUserAssistF4E57C4BKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{F4E57C4B-2036-45F0-"
    "A9AB-443BCFE33D9F}\\Count";
constexpr const char* kOpenSavePidlMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSavePidlMRU";
constexpr const char* kLastVisitedPidlMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedPidlMRU";
constexpr const char* kRecentDocsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
constexpr const char* kTypedPathsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TypedPaths";
constexpr const char* kWordWheelQueryKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\WordWheelQuery";
constexpr const char* kMapNetworkDriveMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Map Network Drive MRU";
constexpr const char* kTerminalServerDefaultKey =
    "Software\\Microsoft\\Terminal Server Client\\Default";
constexpr const char* kTerminalServerServersKey =
    "Software\\Microsoft\\Terminal Server Client\\Servers";
constexpr const char* kClassesMuiCacheKey =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";
constexpr const char* kNetworkProfilesKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkList\\Profiles";
constexpr const char* kTimeZoneKey = "SYSTEM\\CurrentControlSet\\Control\\TimeZoneInformation";
constexpr const char* kWow64RunKey =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kWow64RunOnceKey =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kWow64UninstallKey =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Background activity moderators: the service and key form since Windows 10 1809 first, the
// older form after it.
struct ActivityKey {
  const char* service;
  const char* path;
};
constexpr std::array<ActivityKey, 4> kActivityKeys = {{
    {"bam", "SYSTEM\\CurrentControlSet\\Services\\bam\\State\\UserSettings"},
    {"bam", "SYSTEM\\CurrentControlSet\\Services\\bam\\UserSettings"},
    {"dam", "SYSTEM\\CurrentControlSet\\Services\\dam\\State\\UserSettings"},
    {"dam", "SYSTEM\\CurrentControlSet\\Services\\dam\\UserSettings"},
}};

std::vector<uint8_t> ValueBytes(RegKey hive, std::string_view keyPath, std::string_view name) {
  auto value = ReadRegValue(hive, keyPath, name);
  return value ? std::move(value->bytes) : std::vector<uint8_t>();
}

// A row's two cells as a decoder makes them.
struct Cells {
  std::string name;
  std::string value;
};

// Rows "prefix + name=value" for the numbered values of a key, in its MRUListEx order;
// entries the list names but the key lacks are left out.
template <class Decode>
void AddMruRows(ReaderContext& ctx, std::string_view keyPath, const std::string& prefix,
                Decode decode) {
  const std::vector<uint8_t> order = ValueBytes(reg::kCurrentUser, keyPath, "MRUListEx");
  const RowKey key{reg::kCurrentUser, std::string(keyPath)};
  bool first = true;
  for (const uint32_t entry : DecodeMruListEx(order)) {
    const std::string name = std::to_string(entry);
    const auto value = ReadRegValue(reg::kCurrentUser, keyPath, name);
    if (value) {
      const Cells cells = decode(name, Bytes(value->bytes));
      ctx.Add(prefix + cells.name, cells.value, key);
      if (first)
        ctx.DateByKeyWrite(when::kMostRecentEntry);
    }
    first = false;
  }
}

std::string Utf16OrUndecodable(Bytes data) {
  return DecodeUtf16String(data).value_or(Undecodable(data.size()));
}

void ReadModernUserAssist(ReaderContext& ctx, const char* keyPath) {
  ListValueNames(reg::kCurrentUser, keyPath, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string& name = ctx.scratch1[i];
    const std::vector<uint8_t> record = ValueBytes(reg::kCurrentUser, keyPath, name);
    ctx.Add(ReplaceKnownFolderPrefix(DecodeRot13(name)), DescribeUserAssistRecord(record),
            {reg::kCurrentUser, keyPath});
    if (const auto decoded = DecodeUserAssistRecord(record))
      ctx.AddTime(when::kLastRun, decoded->lastRun);
  }
}

// The list of a key and of each of its subkeys, the subkey's rows named "subkey\entry".
template <class Decode>
void AddMruRowsOfSubKeys(ReaderContext& ctx, const char* keyPath, Decode decode) {
  ListSubKeyNames(reg::kCurrentUser, keyPath, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i)
    AddMruRows(ctx, SubKeyPath(keyPath, ctx.scratch1[i]), ctx.scratch1[i] + "\\", decode);
}

} // namespace

void ReadUserAssistCEBFF5CD(ReaderContext& ctx) {
  ReadModernUserAssist(ctx, kUserAssistCEBFF5CDKey);
}

void ReadUserAssistF4E57C4B(ReaderContext& ctx) {
  ReadModernUserAssist(ctx, kUserAssistF4E57C4BKey);
}

void ReadOpenSavePidlMru(ReaderContext& ctx) {
  AddMruRowsOfSubKeys(ctx, kOpenSavePidlMruKey, [](const std::string& name, Bytes data) {
    return Cells{name, DecodeItemIdList(data)};
  });
}

void ReadLastVisitedPidlMru(ReaderContext& ctx) {
  AddMruRows(ctx, kLastVisitedPidlMruKey, "", [](const std::string& /*name*/, Bytes data) {
    const ProgramAndFolder entry = DecodeLastVisitedEntry(data);
    return Cells{entry.program, entry.folder};
  });
}

void ReadRecentDocs(ReaderContext& ctx) {
  const auto decode = [](const std::string& name, Bytes data) {
    return Cells{name, Utf16OrUndecodable(data)};
  };
  AddMruRows(ctx, kRecentDocsKey, "", decode);
  AddMruRowsOfSubKeys(ctx, kRecentDocsKey, decode);
}

void ReadTypedPaths(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kTypedPathsKey, vlNameValue);
  ctx.DateByKeyWrite({reg::kCurrentUser, kTypedPathsKey}, "url1", when::kMostRecentEntry);
}

void ReadWordWheelQuery(ReaderContext& ctx) {
  AddMruRows(ctx, kWordWheelQueryKey, "", [](const std::string& name, Bytes data) {
    return Cells{name, Utf16OrUndecodable(data)};
  });
}

void ReadMapNetworkDriveMru(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kMapNetworkDriveMruKey, vlNameValue);
  if (ctx.Times() == TimeKeeping::Dropped)
    return;
  const std::string order = ReadRegString(reg::kCurrentUser, kMapNetworkDriveMruKey, "MRUList");
  if (!order.empty())
    ctx.DateByKeyWrite({reg::kCurrentUser, kMapNetworkDriveMruKey}, order.substr(0, 1),
                       when::kMostRecentEntry);
}

void ReadTerminalServerClient(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kTerminalServerDefaultKey, vlNameValue);
  ctx.DateByKeyWrite({reg::kCurrentUser, kTerminalServerDefaultKey}, "MRU0",
                     when::kMostRecentEntry);
  ListSubKeyNames(reg::kCurrentUser, kTerminalServerServersKey, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string& server = ctx.scratch1[i];
    const std::string serverKey = SubKeyPath(kTerminalServerServersKey, server);
    ctx.Add(server, ReadRegString(reg::kCurrentUser, serverKey, "UsernameHint"),
            {reg::kCurrentUser, serverKey});
    // The server's key is written as a connection to it saves the user name.
    ctx.DateByKeyWrite(when::kLastConnection);
  }
}

void ReadClassesMuiCache(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kClassesMuiCacheKey, vlValueName);
  // The cache's language marker is bookkeeping, not a trace.
  for (int i = ctx.rows.Count() - 1; i >= 0; --i)
    if (CompareText(ctx.rows[i], "=LangID") == 0)
      ctx.rows.Delete(i);
}

void ReadBamDam(ReaderContext& ctx) {
  TStringList names;
  for (const ActivityKey& key : kActivityKeys) {
    ListSubKeyNames(reg::kLocalMachine, key.path, ctx.scratch1);
    for (int i = 0; i < ctx.scratch1.Count(); ++i) {
      const std::string& sid = ctx.scratch1[i];
      const std::string userKey = SubKeyPath(key.path, sid);
      ListValueNames(reg::kLocalMachine, userKey, names);
      for (int j = 0; j < names.Count(); ++j) {
        // "Version" and "SequenceNumber" are numbers of the moderator itself.
        const auto value = ReadRegValue(reg::kLocalMachine, userKey, names[j]);
        if (!value || value->type != reg::kBinary)
          continue;
        const auto stamp = FileTimeAt(value->bytes);
        const std::string time = stamp ? FormatFileTime(*stamp) : Undecodable(value->bytes.size());
        ctx.Add(names[j], time + ", " + key.service + ", " + sid, {reg::kLocalMachine, userKey});
        if (stamp)
          ctx.AddTime(when::kLastRun, *stamp);
      }
    }
  }
}

void ReadNetworkListProfiles(ReaderContext& ctx) {
  ListSubKeyNames(reg::kLocalMachine, kNetworkProfilesKey, ctx.scratch1);
  // The profiles keep the machine's local time; the time zone's active bias (minutes, UTC =
  // local + bias) makes it UTC where the SYSTEM hive is at hand.
  std::optional<int32_t> bias;
  if (ctx.Times() == TimeKeeping::Kept)
    if (const auto value = ReadRegValue(reg::kLocalMachine, kTimeZoneKey, "ActiveTimeBias");
        value && value->type == reg::kDword && value->bytes.size() == 4)
      bias = static_cast<int32_t>(Le32(value->bytes, 0));
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string profileKey = SubKeyPath(kNetworkProfilesKey, ctx.scratch1[i]);
    const std::vector<uint8_t> created = ValueBytes(reg::kLocalMachine, profileKey, "DateCreated");
    const std::vector<uint8_t> last =
        ValueBytes(reg::kLocalMachine, profileKey, "DateLastConnected");
    ctx.Add(ReadRegString(reg::kLocalMachine, profileKey, "ProfileName"),
            "First Connected " + FormatSystemTime(created).value_or(Undecodable(created.size())) +
                ", Last Connected " + FormatSystemTime(last).value_or(Undecodable(last.size())),
            {reg::kLocalMachine, profileKey});
    if (ctx.Times() == TimeKeeping::Dropped)
      continue;
    const auto utc = [&](Bytes data) -> uint64_t {
      const auto local = FileTimeOfSystemTime(data);
      if (!local)
        return 0;
      return bias ? *local + static_cast<uint64_t>(static_cast<int64_t>(*bias) * 60 * 10'000'000)
                  : *local;
    };
    ctx.AddTime(bias ? when::kFirstConnected : when::kFirstConnectedLocal, utc(created));
    ctx.AddTime(bias ? when::kLastConnected : when::kLastConnectedLocal, utc(last));
  }
}

void ReadWow64Startup(ReaderContext& ctx) {
  for (const auto& [keyPath, prefix] :
       {std::pair{kWow64RunKey, "Run\\"}, std::pair{kWow64RunOnceKey, "RunOnce\\"}}) {
    ListValueNames(reg::kLocalMachine, keyPath, ctx.scratch1);
    for (int i = 0; i < ctx.scratch1.Count(); ++i) {
      const std::string& name = ctx.scratch1[i];
      ctx.Add(prefix + name, ReadRegString(reg::kLocalMachine, keyPath, name),
              {reg::kLocalMachine, keyPath});
    }
  }
}

void ReadWow64InstalledSoftware(ReaderContext& ctx) {
  PairUninstallEntries(ctx, reg::kLocalMachine, kWow64UninstallKey);
}

} // namespace tw
