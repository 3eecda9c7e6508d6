#pragma once
// Readers of the traces Windows 7 to 11 keep (the third tab's catalog). Binary values are
// decoded by binary_traces.h; what cannot be decoded shows as "(undecodable: N bytes)". Lists
// kept with an MRUListEx value are given in that order, most recent first.

#include "readers/reader.h"

namespace tw {

// Current user.
void ReadUserAssistCEBFF5CD(ReaderContext& ctx);   // executables: name=usage record
void ReadUserAssistF4E57C4B(ReaderContext& ctx);   // shortcuts: name=usage record
void ReadOpenSavePidlMru(ReaderContext& ctx);      // "extension\entry=path"
void ReadLastVisitedPidlMru(ReaderContext& ctx);   // "program=folder"
void ReadRecentDocs(ReaderContext& ctx);           // "entry=name", then "extension\entry=name"
void ReadTypedPaths(ReaderContext& ctx);           // "urlN=path"
void ReadWordWheelQuery(ReaderContext& ctx);       // "entry=search terms"
void ReadMapNetworkDriveMru(ReaderContext& ctx);   // "letter=share", the MRUList too
void ReadTerminalServerClient(ReaderContext& ctx); // "MRUn=server", "server=user name hint"
void ReadClassesMuiCache(ReaderContext& ctx);      // "text=name", without "=LangID"

// Local machine.
void ReadBamDam(ReaderContext& ctx);                 // "program=last run, service, SID"
void ReadNetworkListProfiles(ReaderContext& ctx);    // "profile=first and last connection"
void ReadUsbStorage(ReaderContext& ctx);             // "device\serial=friendly name"
void ReadWow64Startup(ReaderContext& ctx);           // "Run\name=command", "RunOnce\name=command"
void ReadWow64InstalledSoftware(ReaderContext& ctx); // "DisplayName=UninstallString"

} // namespace tw
