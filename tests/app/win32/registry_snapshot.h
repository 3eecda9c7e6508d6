#pragma once
// The whole registry of the prefix as text, for the tests that demand a session change nothing
// but what they name.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace tw::test {

// Every value of HKCU and HKLM as "HKCU\key path|value name" -> "type|data".
using RegistrySnapshot = std::map<std::string, std::string>;

RegistrySnapshot Snapshot();
// "name = type|data" for each value added or changed, "name removed" for each one gone.
std::vector<std::string> Changes(const RegistrySnapshot& before, const RegistrySnapshot& after);
// The platform records its display driver when the desktop gets its first window; a test makes
// that happen before its first snapshot, so that the comparison sees only the program's doing.
void SettleDisplayDriver();

} // namespace tw::test
