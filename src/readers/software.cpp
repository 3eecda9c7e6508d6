#include "readers/software.h"

#include <string>

#include "registry/registry.h"

namespace tw {
namespace {

constexpr const char* kAppCompatLayersKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
constexpr const char* kAppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr const char* kPlacesBarKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\comdlg32\\Placesbar";
constexpr const char* kFirewallDomainKey =
    "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\DomainProfile"
    "\\AuthorizedApplications\\List";
constexpr const char* kFirewallStandardKey =
    "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\"
    "StandardProfile\\AuthorizedApplications\\List";
constexpr const char* kFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr const char* kHelpKey = "Software\\Microsoft\\Windows\\Help";
constexpr const char* kHtmlHelpKey = "SOFTWARE\\Microsoft\\Windows\\HTML Help";
constexpr const char* kImageFileExecutionKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kInstallerFoldersKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
constexpr const char* kSharedDllsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

} // namespace

void ListValueRows(ReaderContext& ctx, RegKey hive, std::string_view keyPath) {
  ctx.ListValueRows(hive, keyPath, vlNameValue);
}

void ProbeSubKeys(ReaderContext& ctx, RegKey hive, std::string_view keyPath,
                  std::string_view valueName) {
  ListSubKeyNames(hive, keyPath, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string& subKey = ctx.scratch1[i];
    const std::string subKeyPath = SubKeyPath(keyPath, subKey);
    const std::string text = ReadRegString(hive, subKeyPath, valueName);
    if (!text.empty())
      ctx.Add(subKey, text, {hive, subKeyPath});
  }
}

void PairUninstallEntries(ReaderContext& ctx, RegKey hive, std::string_view keyPath) {
  ListSubKeyNames(hive, keyPath, ctx.rows);
  for (int i = ctx.rows.Count() - 1; i >= 0; --i) {
    const std::string entryKey = SubKeyPath(keyPath, ctx.rows[i]);
    const std::string displayName = ReadRegString(hive, entryKey, "DisplayName");
    const std::string uninstallString = ReadRegString(hive, entryKey, "UninstallString");
    if (displayName.empty() || uninstallString.empty())
      ctx.rows.Delete(i);
    else
      ctx.Put(i, displayName, uninstallString, {hive, entryKey});
  }
}

void NumberValueNames(ReaderContext& ctx, RegKey hive, std::string_view keyPath) {
  ctx.ListNumberedValueRows(hive, keyPath, [](const std::string& name) { return name; });
}

void ReadAppCompatibility(ReaderContext& ctx) {
  ListValueRows(ctx, reg::kCurrentUser, kAppCompatLayersKey);
}

void ReadAppPaths(ReaderContext& ctx) {
  ProbeSubKeys(ctx, reg::kLocalMachine, kAppPathsKey, "");
}

void ReadPlacesBar(ReaderContext& ctx) {
  ListValueRows(ctx, reg::kCurrentUser, kPlacesBarKey);
}

void ReadFirewallDomainProfile(ReaderContext& ctx) {
  ListValueRows(ctx, reg::kLocalMachine, kFirewallDomainKey);
}

void ReadFirewallStandardProfile(ReaderContext& ctx) {
  ListValueRows(ctx, reg::kLocalMachine, kFirewallStandardKey);
}

void ReadFonts(ReaderContext& ctx) {
  ListValueRows(ctx, reg::kLocalMachine, kFontsKey);
}

void ReadHelpFiles(ReaderContext& ctx) {
  ListValueRows(ctx, reg::kLocalMachine, kHelpKey);
}

void ReadHtmlHelpFiles(ReaderContext& ctx) {
  ListValueRows(ctx, reg::kLocalMachine, kHtmlHelpKey);
}

void ReadImageFileExecution(ReaderContext& ctx) {
  ProbeSubKeys(ctx, reg::kLocalMachine, kImageFileExecutionKey, "Debugger");
}

void ReadInstalledSoftware(ReaderContext& ctx) {
  PairUninstallEntries(ctx, reg::kLocalMachine, kUninstallKey);
}

void ReadInstallerFolders(ReaderContext& ctx) {
  NumberValueNames(ctx, reg::kLocalMachine, kInstallerFoldersKey);
}

void ReadSharedDlls(ReaderContext& ctx) {
  NumberValueNames(ctx, reg::kLocalMachine, kSharedDllsKey);
}

void ReadUserShellFolders(ReaderContext& ctx) {
  ListValueRows(ctx, reg::kCurrentUser, kShellFoldersKey);
}

void ReadMachineShellFolders(ReaderContext& ctx) {
  ListValueRows(ctx, reg::kLocalMachine, kShellFoldersKey);
}

} // namespace tw
