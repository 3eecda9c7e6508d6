#pragma once
// Device property values under Enum\...\Properties\{set}\NNNN: the times a storage device was
// installed, first installed, last arrived and last removed. Windows 8 and later keep each
// property as the key's default value, its registry type 0xFFFF0000 plus the property's type;
// Windows 7 keeps it in the subkey 00000000 as a "Type" value (the property's type, 4 bytes)
// and a "Data" value.

#include <cstdint>
#include <optional>
#include <string_view>

#include "readers/byte_fields.h"

namespace tw {

inline constexpr std::string_view kDeviceTimesPropertySet =
    "{83da6326-97a6-4088-9453-a1923f573b29}";
inline constexpr std::uint32_t kDevicePropertyFileTime = 0x10; // DEVPROP_TYPE_FILETIME

// The property numbers of that set (the keys' names, "0064" ... "0067").
enum class DeviceTime : std::uint32_t {
  Installed = 0x64,
  FirstInstalled = 0x65,
  LastArrival = 0x66,
  LastRemoval = 0x67,
};

// The property type a Windows 8+ value's registry type carries; none for ordinary types.
std::optional<std::uint32_t> DevicePropertyTypeOfRegistryType(std::uint32_t registryType);
// The property type in Windows 7's "Type" value; none unless it is 4 bytes.
std::optional<std::uint32_t> DevicePropertyTypeOfTypeValue(Bytes typeValue);
// The FILETIME a property of type DEVPROP_TYPE_FILETIME holds; none for another type or size.
std::optional<std::uint64_t> DevicePropertyFileTime(std::uint32_t propertyType, Bytes data);

} // namespace tw
