#pragma once
// Registry addresses: "HKCU|key path" names a key (and its default value), "HKCU|key path|value"
// a named value. Roots are "HKCU", "HKLM" and "HKCR", compared exactly.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace tw {

// "HKCU", "HKLM", "HKCR" in that order of comparison; none for anything else.
std::optional<RegKey> RootKeyFromName(std::string_view rootName);

// The short name of a predefined key ("HKCU", "HKLM", "HKCR", "HKU"); empty for another key.
std::string_view RootShortName(RegKey root);

// Splits at "|" and at line breaks (CR, LF, CR LF). Empty parts between separators are kept;
// an empty part after a final separator is dropped.
std::vector<std::string> SplitRegistryAddress(std::string_view address);

} // namespace tw
