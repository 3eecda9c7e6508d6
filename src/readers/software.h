#pragma once
// Readers of the software and path lists (fourteen "[O]" items). Every item is one of four
// patterns applied to one fixed key; values are read tolerantly and shown as stored.

#include <string_view>

#include "readers/reader.h"
#include "registry/registry_api.h"

namespace tw {

// A: one row per value of the key: name=text (non-text values give an empty text).
void ListValueRows(ReaderContext& ctx, RegKey hive, std::string_view keyPath);
// B: one row per subkey whose value `valueName` has a text: subkey=text.
void ProbeSubKeys(ReaderContext& ctx, RegKey hive, std::string_view keyPath,
                  std::string_view valueName);
// C: one row per subkey with both texts: DisplayName=UninstallString.
void PairUninstallEntries(ReaderContext& ctx, RegKey hive, std::string_view keyPath);
// D: one row per value name, numbered from 1 in enumeration order; no data is read.
void NumberValueNames(ReaderContext& ctx, RegKey hive, std::string_view keyPath);

void ReadAppCompatibility(ReaderContext& ctx);        // 12: A
void ReadAppPaths(ReaderContext& ctx);                // 13: B, the default value
void ReadPlacesBar(ReaderContext& ctx);               // 14: A
void ReadFirewallDomainProfile(ReaderContext& ctx);   // 16: A
void ReadFirewallStandardProfile(ReaderContext& ctx); // 17: A
void ReadFonts(ReaderContext& ctx);                   // 18: A
void ReadHelpFiles(ReaderContext& ctx);               // 19: A
void ReadHtmlHelpFiles(ReaderContext& ctx);           // 20: A
void ReadImageFileExecution(ReaderContext& ctx);      // 21: B, "Debugger"
void ReadInstalledSoftware(ReaderContext& ctx);       // 22: C
void ReadInstallerFolders(ReaderContext& ctx);        // 23: D
void ReadSharedDlls(ReaderContext& ctx);              // 24: D
void ReadUserShellFolders(ReaderContext& ctx);        // 25: A
void ReadMachineShellFolders(ReaderContext& ctx);     // 26: A

} // namespace tw
