#include "readers/modern.h"

#include <array>
#include <string>

#include "readers/binary_traces.h"
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
constexpr const char* kUsbStorKey = "SYSTEM\\CurrentControlSet\\Enum\\USBSTOR";
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
  for (const uint32_t entry : DecodeMruListEx(order)) {
    const std::string name = std::to_string(entry);
    const auto value = ReadRegValue(reg::kCurrentUser, keyPath, name);
    if (value) {
      const Cells cells = decode(name, Bytes(value->bytes));
      ctx.Add(prefix + cells.name, cells.value, key);
    }
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
}

void ReadWordWheelQuery(ReaderContext& ctx) {
  AddMruRows(ctx, kWordWheelQueryKey, "", [](const std::string& name, Bytes data) {
    return Cells{name, Utf16OrUndecodable(data)};
  });
}

void ReadMapNetworkDriveMru(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kMapNetworkDriveMruKey, vlNameValue);
}

void ReadTerminalServerClient(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kCurrentUser, kTerminalServerDefaultKey, vlNameValue);
  ListSubKeyNames(reg::kCurrentUser, kTerminalServerServersKey, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string& server = ctx.scratch1[i];
    const std::string serverKey = SubKeyPath(kTerminalServerServersKey, server);
    ctx.Add(server, ReadRegString(reg::kCurrentUser, serverKey, "UsernameHint"),
            {reg::kCurrentUser, serverKey});
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
        const std::string when = stamp ? FormatFileTime(*stamp) : Undecodable(value->bytes.size());
        ctx.Add(names[j], when + ", " + key.service + ", " + sid, {reg::kLocalMachine, userKey});
      }
    }
  }
}

void ReadNetworkListProfiles(ReaderContext& ctx) {
  ListSubKeyNames(reg::kLocalMachine, kNetworkProfilesKey, ctx.scratch1);
  const auto stamp = [](const std::string& profileKey, const char* name) {
    const std::vector<uint8_t> data = ValueBytes(reg::kLocalMachine, profileKey, name);
    return FormatSystemTime(data).value_or(Undecodable(data.size()));
  };
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string profileKey = SubKeyPath(kNetworkProfilesKey, ctx.scratch1[i]);
    ctx.Add(ReadRegString(reg::kLocalMachine, profileKey, "ProfileName"),
            "First Connected " + stamp(profileKey, "DateCreated") + ", Last Connected " +
                stamp(profileKey, "DateLastConnected"),
            {reg::kLocalMachine, profileKey});
  }
}

void ReadUsbStorage(ReaderContext& ctx) {
  ListSubKeyNames(reg::kLocalMachine, kUsbStorKey, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string deviceKey = SubKeyPath(kUsbStorKey, ctx.scratch1[i]);
    ListSubKeyNames(reg::kLocalMachine, deviceKey, ctx.scratch2);
    for (int j = 0; j < ctx.scratch2.Count(); ++j) {
      const std::string& serial = ctx.scratch2[j];
      const std::string serialKey = SubKeyPath(deviceKey, serial);
      ctx.Add(SubKeyPath(ctx.scratch1[i], serial),
              ReadRegString(reg::kLocalMachine, serialKey, "FriendlyName"),
              {reg::kLocalMachine, serialKey});
    }
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
