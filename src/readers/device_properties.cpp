#include "readers/device_properties.h"

namespace tw {

std::optional<std::uint32_t> DevicePropertyTypeOfRegistryType(std::uint32_t registryType) {
  if ((registryType & 0xFFFF0000u) != 0xFFFF0000u)
    return std::nullopt;
  return registryType & 0xFFFFu;
}

std::optional<std::uint32_t> DevicePropertyTypeOfTypeValue(Bytes typeValue) {
  if (typeValue.size() != 4)
    return std::nullopt;
  return Le32(typeValue, 0);
}

std::optional<std::uint64_t> DevicePropertyFileTime(std::uint32_t propertyType, Bytes data) {
  if (propertyType != kDevicePropertyFileTime || data.size() != 8)
    return std::nullopt;
  return Le64(data, 0);
}

} // namespace tw
