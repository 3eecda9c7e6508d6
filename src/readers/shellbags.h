#pragma once
// ShellBags: the folders Explorer has shown the user, kept as a tree of shell items under
// BagMRU in the user's hive (Shell, and XP's ShellNoRoam) and in the class hive (Local
// Settings, Vista on). Each folder's full path is rebuilt from the items of its ancestors.

#include "readers/reader.h"

namespace tw {

// "full path=BagMRU\N\...\N, MRU Position N, Key Written ..., Modified ..., Accessed ...,
// Created ..., MFT entry/sequence", one row per item value; the key is the one holding it.
void ReadShellBags(ReaderContext& ctx);

} // namespace tw
