#pragma once
// Readers of the look and sound of the desktop: the cursor schemes installed on the machine and
// the current user's cursors, desktop settings and event sounds. The fixed lists always give
// every row; a missing value gives an empty value.

#include <string>
#include <string_view>

#include "readers/reader.h"

namespace tw {

// "Tile", "Center", "Stretch" for the exact pairs that mean them; empty for any other pair.
std::string WallpaperStyleLabel(std::string_view wallpaperStyle, std::string_view tileWallpaper);

void ReadCursorSchemes(ReaderContext& ctx); // 15: scheme=cursor files
void ReadCursors(ReaderContext& ctx);       // 31: sixteen rows, strict reads
void ReadDesktop(ReaderContext& ctx);       // 32: ten rows
void ReadSounds(ReaderContext& ctx);        // 33: fifty rows, strict reads

} // namespace tw
