#pragma once
// The 32-bit view of HKEY_LOCAL_MACHINE\SOFTWARE as 64-bit Windows keeps it: its keys lie below
// SOFTWARE\Wow6432Node, but for the keys both views share (as measured under Wine).

#include <string>
#include <vector>

namespace tw {

// The path (its components from HKEY_LOCAL_MACHINE down) a key has in the 32-bit view.
std::vector<std::string> InWow32View(std::vector<std::string> path);

} // namespace tw
