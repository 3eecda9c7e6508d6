#pragma once
// Readers of the history lists Windows keeps under HKEY_CURRENT_USER (catalog items 0 to 6).
// Values are shown as stored: order lists are rows like any other, suffixes and environment
// references stay.

#include "readers/reader.h"

namespace tw {

void ReadRegeditFavorites(ReaderContext& ctx); // 0: favorites, then "Regedit Last Key"
void ReadOpenSaveMru(ReaderContext& ctx);      // 1: "subkey\value=text" one level down
void ReadMmcRecentFiles(ReaderContext& ctx);   // 2
void ReadMuiCache(ReaderContext& ctx);         // 3: "text=name", without the "=LangID" row
void ReadNetworkRecent(ReaderContext& ctx);    // 4
void ReadRunMru(ReaderContext& ctx);           // 5
void ReadTypedUrls(ReaderContext& ctx);        // 6

} // namespace tw
