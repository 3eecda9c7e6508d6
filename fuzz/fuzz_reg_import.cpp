// A regedit export file through the importer into the in-memory store, then the imported keys
// walked back through the registry layer as the readers list them.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registry/registry.h"
#include "runtime/exceptions.h"
#include "registry/memory_registry.h"
#include "registry/reg_file.h"
#include "runtime/seam.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tw::MemoryRegistry registry;
  tw::ScopedSeam<tw::RegistryApi> seam(registry);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    tw::ImportRegFile(registry, bytes);
  } catch (const tw::Exception&) {
    // Malformed input is refused with a message; what was imported before it stays.
  }
  tw::TStringList keys;
  for (const tw::RegKey hive : {tw::reg::kCurrentUser, tw::reg::kLocalMachine}) {
    tw::ListSubKeyNames(hive, "", keys);
    for (int i = 0; i < keys.Count() && i < 16; ++i) {
      tw::TStringList rows;
      tw::ListValues(hive, keys[i], rows, tw::vlNameValue);
      tw::ListNumberedValueNames(hive, keys[i], rows);
    }
  }
  if (registry.OpenHandleCount() != 0)
    std::abort(); // a key left open
  return 0;
}
