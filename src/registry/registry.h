#pragma once
// The registry access layer: stateless functions that open one key, make one query and close
// the key again, through the registry store installed in Seam<RegistryApi>. Strict reads raise
// ERegistryException on a value of the wrong type; tolerant reads never raise for a missing key,
// a missing value or a wrong type. Keys are opened for reading (KEY_READ), never created by a
// read. The layer never catches and never shows a message.
//
// Views: on 64-bit Windows the 32-bit and the 64-bit build read and write the native view of
// HKEY_LOCAL_MACHINE\SOFTWARE. The address functions, which serve the database of other
// vendors' applications, also look in the 32-bit view (Wow6432Node), where 32-bit applications
// keep their keys: a key counts as present in either view and is read from the native view
// when it exists there.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/address.h"
#include "registry/registry_api.h"
#include "runtime/strings.h"

namespace tw {

// ListValues layouts; 2 and above list bare names.
enum ValueLayout : uint8_t { vlNameValue = 0, vlValueName = 1, vlNamesOnly = 2 };

// Tolerant: the text of a REG_SZ or REG_EXPAND_SZ value up to its first NUL, else empty.
std::string ReadRegString(RegKey hive, std::string_view keyPath, std::string_view valueName);
// Tolerant: "True" only for a REG_SZ value whose text is exactly "1", else "False".
std::string ReadRegFlag(RegKey hive, std::string_view keyPath, std::string_view valueName);
// Strict string reads: empty for a missing key or value, ERegistryException for another type.
std::string ReadUserString(std::string_view keyPath, std::string_view valueName);
std::string ReadMachineString(std::string_view keyPath, std::string_view valueName);
// Strict 32-bit read; raises also when the value is missing.
int32_t ReadMachineInteger(std::string_view keyPath, std::string_view valueName);

// Strict string read of the value an address names (the default value unless it has exactly
// three parts), from the view in which the key exists, the native one first. Fewer than two
// parts raise "List index out of bounds (%d)".
std::string ReadAddressValue(std::string_view address);
// Whether the address's key can be opened for reading in the native or the 32-bit view.
bool AddressKeyExists(std::string_view address);
// Length of a binary value in bytes; 0 when it is missing.
int AddressBinarySize(std::string_view address);

// Tolerant: the type and raw bytes of a value of any type; none when the key or value is
// missing or cannot be read.
struct RegValueData {
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
};
std::optional<RegValueData> ReadRegValue(RegKey hive, std::string_view keyPath,
                                         std::string_view valueName);

// One key held open for several reads, for readers that take many values of each of many
// keys. Tolerant like the reads above: a key that cannot be opened has no values, no subkeys
// and no time.
class RegAccessor;

class OpenRegKey {
public:
  OpenRegKey(RegKey hive, std::string_view keyPath);
  ~OpenRegKey();
  OpenRegKey(const OpenRegKey&) = delete;
  OpenRegKey& operator=(const OpenRegKey&) = delete;

  bool Exists() const;
  std::optional<RegValueData> Value(std::string_view name) const;
  // The text of a REG_SZ or REG_EXPAND_SZ value up to its first NUL, else empty.
  std::string String(std::string_view name) const;
  // The key's last-write time (FILETIME); 0 when the store keeps none.
  uint64_t LastWrite() const;
  void ValueNames(TStrings& list) const;
  void SubKeyNames(TStrings& list) const;

private:
  std::unique_ptr<RegAccessor> accessor_;
};

// Listings replace the list's content; they always return true.
bool ListValueNames(RegKey hive, std::string_view keyPath, TStrings& list);
bool ListSubKeyNames(RegKey hive, std::string_view keyPath, TStrings& list);
bool ListNumberedValueNames(RegKey hive, std::string_view keyPath, TStrings& list);
bool ListValues(RegKey hive, std::string_view keyPath, TStrings& list, uint8_t layout);

// Creates the key when needed and stores the text as REG_SZ with its terminating NUL; raises
// EOleRegistrationError on failure.
void WriteRegString(RegKey hive, std::string_view keyPath, std::string_view valueName,
                    std::string_view text);

} // namespace tw
