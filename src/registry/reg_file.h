#pragma once
// Imports a regedit export file into a registry store through the registry seam (create key,
// set value), as "regedit /S" would. Understands REGEDIT4 (ANSI) and "Windows Registry Editor
// Version 5.00" (UTF-16LE with a byte-order mark, or 8-bit): string values, @ for default
// values, dword:, hex:, hex(N): with line continuations, escaped \\ and \" in names and
// strings, and comments. Text of version 5 files (including hex(2) and hex(7) data, which are
// UTF-16 there) is converted to the ANSI code page 1252, as the ANSI interface would deliver it.

#include <string>
#include <string_view>

#include "registry/registry_api.h"

namespace tw {

struct RegImportStats {
  int keys = 0;
  int values = 0;
};

// Raises Exception with the line number on malformed input or when the store refuses a write.
RegImportStats ImportRegFile(RegistryApi& registry, std::string_view fileBytes);

} // namespace tw
